// SPDX-License-Identifier: MIT
// The terminal game end to end: the real binary in a tmux pane with no
// display, keys typed as a player types them, the title bar read back.
#include <gtest/gtest.h>
#include <signal.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "tests/e2e/process.h"
#include "tests/e2e/tmux_session.h"

namespace titletype::e2e {
namespace {

using namespace std::chrono_literals;

// TITLETYPE_GAME plays an installed game instead of the one just built.
const char* const kInstalledGame = std::getenv("TITLETYPE_GAME");
const std::string kGame = kInstalledGame ? kInstalledGame : TITLETYPE_BINARY;
const std::string kScriptedGame = TITLETYPE_SCRIPTED_BINARY;

std::string read_file(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

/// Runs `command` at the shell between two snapshots of the terminal mode.
void run_between_snapshots(TmuxSession& t, const std::string& command) {
  t.run("cd " + t.dir() + "; stty -g > before; " + command + "; echo EXIT=$?; stty -g > after");
}

void expect_terminal_restored(TmuxSession& t, const std::string& exit_line) {
  ASSERT_TRUE(t.wait_screen([&](const std::string& s) { return contains(s, exit_line); }))
      << t.screen();
  ASSERT_TRUE(
      t.wait_screen([&](const std::string&) { return !read_file(t.dir() + "/after").empty(); }));
  EXPECT_EQ(read_file(t.dir() + "/before"), read_file(t.dir() + "/after"));
  // Back on the shell's screen, with what was typed there before the game.
  EXPECT_TRUE(contains(t.screen(), "stty -g > before")) << t.screen();
}

TEST(TerminalGameTest, APlayShowsItsTitlesOnTheTopLineAndEscLeavesTheTerminalAsItWas) {
  TmuxSession t;
  // Starts with "@", then feeds ":" and "*"; the script is rand_unit's answers.
  run_between_snapshots(t, kScriptedGame + " --terminal 0.02 0.44 0.164");
  ASSERT_TRUE(t.wait_top_line(" Hit Space Key!!!")) << t.screen();
  EXPECT_EQ(t.pane_title(), "Hit Space Key!!!");
  t.send("Space");
  ASSERT_TRUE(t.wait_top_line(" @"));
  t.send("@", true);
  ASSERT_TRUE(t.wait_top_line(""));
  for (const char* c : {":", "*"}) {
    ASSERT_TRUE(t.wait_top_line(std::string(" ") + c)) << t.screen();
    t.send(c, true);
    ASSERT_TRUE(t.wait_top_line("")) << c;
  }
  // Then no more keys: the title grows past 10 and the results follow.
  ASSERT_TRUE(t.wait_top_line(" SCORE 3", 30s)) << t.screen();
  ASSERT_TRUE(t.wait_top_line(" Y-SPACE N-Esc"));
  EXPECT_EQ(t.pane_title(), "Y-SPACE N-Esc");
  t.send("Escape");
  expect_terminal_restored(t, "EXIT=0");
}

TEST(TerminalGameTest, SignalsEndTheGameAndRestoreTheTerminal) {
  for (int signo : {SIGTERM, SIGHUP, SIGINT}) {
    TmuxSession t;
    run_between_snapshots(t, "sh -c 'echo $$ > pid; exec " + kGame + "'");
    ASSERT_TRUE(t.wait_top_line(" Hit Space Key!!!")) << t.screen();
    t.send("Space");
    const pid_t pid = std::stoi(read_file(t.dir() + "/pid"));
    if (signo == SIGINT) {
      t.send("C-c");
    } else {
      kill(pid, signo);
    }
    expect_terminal_restored(t, "EXIT=" + std::to_string(128 + signo));
  }
}

TEST(TerminalGameTest, WithNowhereToPlayItSaysSoInOneLine) {
  // Standard input is not a terminal, and no display opens.
  const std::pair<const char*, const char*> cases[] = {
      {"", ""}, {"--terminal", ""}, {"--window", ""}, {"--window", ":987"}};
  for (const auto& [option, display] : cases) {
    std::vector<std::string> args{kGame};
    if (*option) args.push_back(option);
    Process game(args, {{"DISPLAY", display}});
    EXPECT_EQ(game.wait(20s), 1);
    const std::string message = game.stderr_text();
    EXPECT_TRUE(message.starts_with("titletype: ") && message.find('\n') == message.size() - 1)
        << message;
  }
}

}  // namespace
}  // namespace titletype::e2e
