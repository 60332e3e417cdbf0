// SPDX-License-Identifier: MIT
// The Wayland window end to end: the real binary in sway, which runs as a
// window of the tests' X server, so that XTest's keys reach the game through
// sway's keyboard (its layout kept the X server's) and its titles are read
// from sway's window events; its libdecor frame in weston, which draws none.
#include "tests/e2e/window_game.h"
#include "tests/harness/sway_session.h"
#include "tests/harness/weston.h"

namespace titletype::e2e {

const std::string kGame = installed_or(TITLETYPE_BINARY);
const std::string kScriptedGame = TITLETYPE_SCRIPTED_BINARY;

// Wayland gives a window no icon: the desktop shows its desktop entry's.
const bool WindowGameTest::kExactIcon = false;
const bool WindowGameTest::kKeypadByNumLock = true;

std::unique_ptr<SwaySession> sway;

void WindowGameTest::SetUpTestSuite() {
  x_ = std::make_unique<XSession>();
  sway = std::make_unique<SwaySession>(*x_);
}
void WindowGameTest::TearDownTestSuite() {
  sway.reset();
  x_.reset();
}

// With DISPLAY set too, the game chooses the Wayland window, whose frame
// sway draws.
std::unique_ptr<Process> WindowGameTest::launch(std::vector<std::string> args, bool scripted) {
  if (scripted) args.insert(args.begin(), "--window=wayland");
  return sway->start_game(scripted ? kScriptedGame : kGame, args);
}

// By place, the keymap's key names lead to the JIS table that the X11 window
// plays in every layout; typed, xkbcommon's keysyms are the Wayland window's
// own, AltGr included.
std::vector<LayoutPlay> layout_plays() {
  return {{"jp", kPosition}, {"us", kPosition}, {"de", kTyped}, {"fr", kTyped}};
}

namespace {

/// What the game's requests say, as WAYLAND_DEBUG writes them.
bool requested(const Process& game, const std::string& request) {
  return game.stderr_text().find(request) != std::string::npos;
}

/// Which window the game opened: Wayland's, X11's or none (it ended).
std::string window_opened(XSession& x, Process& game) {
  std::string opened = "neither";
  eventually([&] {
    if (requested(game, "set_title(\"Hit Space Key!!!\")"))
      opened = "wayland";
    else if (x.top_level([&](::Window w) {
               const auto pid = property<long>(x.display(), w, "_NET_WM_PID");
               return pid && pid->size() == 1 && pid->front() == game.pid();
             }))
      opened = "x11";
    else if (game.wait(0ms))
      opened = "none";
    return opened != "neither";
  });
  return opened;
}

/// The rows of weston's screen above the game's grey window (400 pixels
/// wide): libdecor's title bar, if it is drawn, not all of one colour.
std::optional<std::vector<unsigned long>> title_bar(XSession& x, ::Window screen) {
  XWindowAttributes size;
  XImage* image =
      XGetWindowAttributes(x.display(), screen, &size)
          ? XGetImage(x.display(), screen, 0, 0, size.width, size.height, AllPlanes, ZPixmap)
          : nullptr;
  if (!image) return std::nullopt;
  const auto pixel = [&](int col, int row) {
    return image->f.get_pixel(image, col, row) & 0xffffff;
  };
  std::optional<std::vector<unsigned long>> bar;
  for (int y = 20, left = 0; y < size.height && !bar; ++y, left = 0) {
    while (left < size.width && pixel(left, y) != 0xc0c0c0) ++left;
    if (left + 400 > size.width || pixel(left + 399, y) != 0xc0c0c0) continue;
    bar.emplace();
    for (int row = y - 20; row < y; ++row)
      for (int col = left; col < left + 400; ++col) bar->push_back(pixel(col, row));
  }
  image->f.destroy_image(image);  // Xutil.h's macros clash with googletest's
  if (bar && std::adjacent_find(bar->begin(), bar->end(), std::not_equal_to<>()) == bar->end())
    bar.reset();
  return bar;
}

TEST(WaylandGameTest, ChoosesTheWindowThatShowsItsTitleAndEndsWithTheCompositor) {
  XSession x;
  SwaySession sway(x, "output * scale 2\n");
  // The table of choices is WindowChoiceTest's; here each kind of window
  // once, with real compositors. weston draws no frames: where there is an
  // X server, its window's frame is drawn there instead.
  Weston weston(x, 480, 240);
  const Environment& weston_env = weston.env();
  const ::Window weston_screen = weston.screen();
  const Environment none{{"WAYLAND_DISPLAY", ""},
                         {"XDG_RUNTIME_DIR", (weston.runtime_dir() / "none").string()}};
  const struct {
    const Environment* wayland;
    bool display;  // DISPLAY is set
    const char* option;
    const char* opened;
    const char* libraries;  // that it maps
  } cases[] = {
      {&sway.wayland(), true, "", "wayland", "libwayland-client"},
      {&weston_env, true, "", "x11", "libX11 libwayland-client"},
      {&none, true, "--window=wayland", "none", ""},
      // libdecor's plugin draws with cairo, which brings libX11.
      {&weston_env, false, "", "wayland", "libX11 libwayland-client libdecor-0"},
  };
  std::unique_ptr<Process> game;
  for (const auto& c : cases) {
    Environment env = *c.wayland;
    env.emplace_back("WAYLAND_DEBUG", "client");
    if (!c.display) env.emplace_back("DISPLAY", "");
    game = x.start_game(
        kGame, *c.option ? std::vector<std::string>{c.option} : std::vector<std::string>{}, env);
    const std::string where = testing::PrintToString(env) + " " + c.option;
    EXPECT_EQ(window_opened(x, *game), c.opened) << where;
    EXPECT_EQ(window_libraries(game->pid()), c.libraries) << where;
    if (c.wayland == &sway.wayland() && std::string(c.opened) == "wayland") {
      // 312 x 72 logical pixels, at the output's scale of 2.
      EXPECT_TRUE(eventually([&] { return requested(*game, ", 0, 624, 144, 2496, 1)"); })) << where;
      EXPECT_TRUE(requested(*game, "set_buffer_scale(2)")) << where;
    }
    if (std::string(c.opened) == "none") {
      EXPECT_EQ(game->wait(20s), 1);
      EXPECT_TRUE(game->stderr_text().ends_with(
          "titletype: cannot connect to the Wayland compositor 'wayland-0'\n"))
          << game->stderr_text();
    }
  }
  // The last, in weston without an X server, is framed by libdecor: its
  // title bar shows the title, which Space changes.
  std::optional<std::vector<unsigned long>> prompt;
  ASSERT_TRUE(eventually([&] { return (prompt = title_bar(x, weston_screen)).has_value(); }));
  x.use_window(weston_screen);
  x.tap(kSpaceKeycode);
  EXPECT_TRUE(eventually([&] {
    const auto now = title_bar(x, weston_screen);
    return now && now != prompt;
  }));
  x.tap(kEscKeycode);
  EXPECT_EQ(game->wait(20s), 0);

  // A game in sway, then sway killed: one line, status 1.
  game = sway.start_game(kGame, {});
  ASSERT_TRUE(x.find_window(*game));
  sway.process().kill(SIGKILL);
  EXPECT_EQ(game->wait(20s), 1);
  EXPECT_EQ(game->stderr_text(), "titletype: lost the connection to the Wayland compositor\n");
}

}  // namespace
}  // namespace titletype::e2e
