// SPDX-License-Identifier: MIT
// The terminal game end to end in a terminal emulator on the tests' X server
// (TITLETYPE_TERMINAL: kitty, xterm or foot): keys from the Japanese layout
// through the terminal's keyboard handling, the title read from the window,
// where kitty and xterm put the game's own.
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "tests/e2e/window_game.h"
#include "tests/harness/weston.h"

namespace titletype::e2e {

const std::string kTerminal = TITLETYPE_TERMINAL;
const std::string kGame = installed_or(TITLETYPE_BINARY);
const std::string kScriptedGame = TITLETYPE_SCRIPTED_BINARY;

const bool WindowGameTest::kExactIcon = false;
const bool WindowGameTest::kKeypadByNumLock = false;

// foot is a Wayland client: it runs in weston, which shows its screen in an
// X window of its own and takes its keys from the X server. The game's title
// is then read from its output, as script(1) records it.
std::unique_ptr<Weston> weston;

void WindowGameTest::SetUpTestSuite() {
  x_ = std::make_unique<XSession>();
  if (kTerminal == "foot") weston = std::make_unique<Weston>(*x_, 320, 240);
}

void WindowGameTest::TearDownTestSuite() {
  weston.reset();
  x_.reset();
}

std::string quoted(const std::string& arg) {
  std::string out = "'";
  for (char c : arg) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

/// The game in foot, whose output and input script(1) records in `output`
/// and `output`.in.
XSession::InsideGame in_foot(const std::string& output) {
  const auto has = [output](const char* text, const char* suffix = "") {
    return read_file(output + suffix).find(text) != std::string::npos;
  };
  return {
      // The terminal has answered the game once the game asks it to report
      // keys: the compositor's window is up by then.
      .started = [has] { return has("\x1b[>15u") || has("\x1b[>31u"); },
      // The compositor hands the terminal the keyboard once its surface is
      // up: press Shift (which the game forgets at Space) until the terminal
      // reports it to the game.
      .has_keys =
          [has](XSession& x) {
            x.tap(kLeftShiftKeycode);
            return has("\x1b[57441;", ".in");
          },
      .title =  // the last title that the game set (OSC 2)
      [output] {
        const std::string text = read_file(output);
        const std::size_t start = text.rfind("\x1b]2;"), end = text.find('\a', start);
        return start != text.npos && end != text.npos ? text.substr(start + 4, end - start - 4)
                                                      : std::string();
      },
      .close = [] {},
  };
}

/// Runs `game` with `args` in a new terminal window.
std::unique_ptr<Process> in_terminal(XSession& x, std::vector<std::string> args) {
  if (kTerminal == "foot") {
    static int games = 0;
    const std::string output =
        (weston->runtime_dir() / ("output" + std::to_string(++games))).string();
    std::string command;
    for (const std::string& arg : args) command += (command.empty() ? "" : " ") + quoted(arg);
    x.play_inside(weston->screen(), in_foot(output));
    return x.start_game(
        "foot", {"script", "-q", "-f", "-e", "-I", output + ".in", "-O", output, "-c", command},
        weston->env());
  }
  if (kTerminal == "kitty") {
    args.insert(args.begin(), {"--config=NONE", "-o", "confirm_os_window_close=0"});
    return x.start_game("kitty", args, {{"LIBGL_ALWAYS_SOFTWARE", "1"}});
  }
  args.insert(args.begin(), {"-xrm", "XTerm*allowTitleOps: true", "-e"});
  return x.start_game("xterm", args);
}

std::unique_ptr<Process> WindowGameTest::launch(std::vector<std::string> args, bool scripted) {
  args.insert(args.begin(), {scripted ? kScriptedGame : kGame, "--terminal"});
  return in_terminal(x(), args);
}

// Only kitty names keys' places, others send characters; weston keeps its layout.
std::vector<LayoutPlay> layout_plays() {
  if (kTerminal == "kitty") return {{"us", kPosition}, {"de", kTyped}};
  return {{kTerminal == "foot" ? "jp" : "us", kTyped}};
}

namespace {

TEST_F(WindowGameTest, EveryWayOutLeavesTheTerminalAsItWasFound) {
  for (const auto& [way_out, signo] :
       {std::pair{"Esc", 0}, {"SIGTERM", SIGTERM}, {"SIGHUP", SIGHUP}, {"SIGINT", SIGINT}}) {
    // Files of this test process's own: terminals run side by side.
    const std::string dir = testing::TempDir() + "titletype-" + std::to_string(getpid()) + "-";
    // With no display (foot's Wayland one included), the game chooses the
    // terminal itself.
    const std::string game =
        "echo $$ >" + dir + "pid; exec env -u DISPLAY -u WAYLAND_DISPLAY " + kGame;
    // Then the shell checks the terminal's mode, reads through the answer to
    // a question (late key reports before it), names the window and reads a
    // line, which must reach it as the plain characters it is.
    const std::string script =
        "s=$(stty -g); sh -c '" + game +
        "'; [ \"$(stty -g)\" = \"$s\" ] && t=shell || t=mode;"
        " stty -echo -icanon min 1; printf '\\033[c';"
        " until c=$(dd bs=1 count=1 2>/dev/null); [ \"$c\" = c ] || [ -z \"$c\" ]; do :; done;"
        " stty \"$s\"; printf '\\033]2;%s\\007' $t; head -n 1 >" +
        dir + "line";
    auto terminal = in_terminal(x(), {"sh", "-c", script});
    find(*terminal);
    const int game_pid = std::stoi(read_file(dir + "pid"));
    EXPECT_EQ(window_libraries(game_pid), "");
    if (signo)
      kill(game_pid, signo);
    else
      x().tap(kEscKeycode);
    ASSERT_TRUE(x().wait_title("shell")) << way_out << ": " << x().title();
    x().type('A');
    x().tap(kReturnKeycode);
    EXPECT_EQ(terminal->wait(20s), 0) << way_out;
    EXPECT_EQ(read_file(dir + "line"), "a\n") << way_out;
    std::remove((dir + "pid").c_str());
    std::remove((dir + "line").c_str());
  }
}

}  // namespace
}  // namespace titletype::e2e
