// SPDX-License-Identifier: MIT
// The Wayland window end to end: the real binary in sway, which runs as a
// window of the tests' X server, so that XTest's keys reach the game through
// sway's keyboard (its layout kept the X server's) and its titles are read
// from sway's window events; its libdecor frame in weston, which draws none.
#include "tests/e2e/window_game.h"
#include "tests/harness/sway_session.h"

namespace titletype::e2e {

const std::string kGame = TITLETYPE_BINARY;
const std::string kScriptedGame = TITLETYPE_SCRIPTED_BINARY;

// Wayland gives a window no icon: the desktop shows its desktop entry's.
const bool WindowGameTest::kExactIcon = false;

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
std::unique_ptr<Process> WindowGameTest::start(std::vector<std::string> args) {
  return sway->start_game(kGame, args);
}

std::unique_ptr<Process> WindowGameTest::start_scripted(std::string_view chars, KeyModel keys) {
  std::vector<std::string> args = answers_for(chars);
  if (keys == kTyped) args.insert(args.begin(), "--keys=typed");
  args.insert(args.begin(), "--window=wayland");
  return sway->start_game(kScriptedGame, args);
}

// By place, the keymap's key names lead to the JIS table that the X11 window
// plays in every layout; typed, xkbcommon's keysyms are the Wayland window's
// own, AltGr included.
std::vector<LayoutPlay> layout_plays() {
  return {{"jp", kPosition}, {"us", kPosition}, {"de", kTyped}, {"fr", kTyped}};
}

namespace {

/// What the game's requests say, as WAYLAND_DEBUG writes them.
const Environment kWaylandDebug{{"WAYLAND_DEBUG", "client"}};
bool requested(const Process& game, const std::string& request) {
  return game.stderr_text().find(request) != std::string::npos;
}

TEST(WaylandGameTest, LosingTheCompositorEndsTheGameWithAMessage) {
  XSession x;
  SwaySession compositor(x);
  auto game = compositor.start_game(kGame, {});
  ASSERT_TRUE(x.find_window(*game));
  x.tap(kSpaceKeycode);
  compositor.process().kill(SIGKILL);
  EXPECT_EQ(game->wait(20s), 1);
  EXPECT_EQ(game->stderr_text(), "titletype: lost the connection to the Wayland compositor\n");
}

TEST(WaylandGameTest, ItsBufferIsDrawnAtTheOutputsScale) {
  XSession x;
  SwaySession compositor(x, "output * scale 2\n");
  auto game = compositor.start_game(kGame, {}, kWaylandDebug);
  ASSERT_TRUE(x.find_window(*game));
  // The window is 312 x 72 logical pixels: its buffer has twice as many.
  EXPECT_TRUE(eventually([&] { return requested(*game, "set_buffer_scale(2)"); }))
      << game->stderr_text();
  EXPECT_TRUE(requested(*game, ", 0, 624, 144, 2496, 1)"));  // XRGB8888, 4 bytes a pixel
  x.close_window();
  EXPECT_EQ(game->wait(20s), 0);
}

/// Which window the game opened: Wayland's, X11's or none (it ended).
std::string window_opened(XSession& x, Process& game) {
  const auto has_x_window = [&] {
    return x.top_level([&](::Window w) {
      const auto pid = property<long>(x.display(), w, "_NET_WM_PID");
      return pid && pid->size() == 1 && pid->front() == game.pid();
    });
  };
  std::string opened = "neither";
  eventually([&] {
    if (requested(game, "set_title(\"Hit Space Key!!!\")"))
      opened = "wayland";
    else if (has_x_window())
      opened = "x11";
    else if (game.wait(0ms))
      opened = "none";
    return opened != "neither";
  });
  return opened;
}

/// weston, which draws no frames, as a window of `x`'s server.
struct Weston {
  explicit Weston(XSession& x) {
    if (!mkdtemp(dir.data())) throw std::runtime_error("cannot make weston's runtime folder");
    wayland = {{"XDG_RUNTIME_DIR", dir}, {"WAYLAND_DISPLAY", "titletype"}};
    process = x.start_game("weston",
                           {"--backend=x11-backend.so", "--socket=titletype", "--idle-time=0",
                            "--width=480", "--height=240"},
                           wayland);
    if (!eventually([&] { return (window = x.window_named("Weston Compositor")); }))
      throw std::runtime_error("weston did not start: " + process->stderr_text());
  }
  ~Weston() {
    process.reset();
    std::filesystem::remove_all(dir);
  }
  std::string dir = "/tmp/titletype-weston-XXXXXX";
  Environment wayland;
  std::unique_ptr<Process> process;
  ::Window window = 0;
};

/// The pixels of the frame's title bar above the game's grey window in
/// weston's screen, if it has one: dark, with light text.
std::optional<std::vector<unsigned long>> title_bar(XSession& x, ::Window screen) {
  XWindowAttributes size;
  if (!XGetWindowAttributes(x.display(), screen, &size)) return std::nullopt;
  XImage* image = XGetImage(x.display(), screen, 0, 0, size.width, size.height, AllPlanes, ZPixmap);
  if (!image) return std::nullopt;
  std::optional<std::vector<unsigned long>> bar;
  constexpr int kBarRows = 20, kGrey = 0xc0c0c0;
  for (int y = kBarRows; y < size.height && !bar; ++y) {
    int left = 0;
    while (left < size.width && (image->f.get_pixel(image, left, y) & 0xffffff) != kGrey) ++left;
    int right = left;
    while (right < size.width && (image->f.get_pixel(image, right, y) & 0xffffff) == kGrey) ++right;
    if (right - left < 300) continue;  // not the game's window: it is 400 wide
    bar.emplace();
    for (int row = y - kBarRows; row < y; ++row)
      for (int col = left; col < right; ++col)
        bar->push_back(image->f.get_pixel(image, col, row) & 0xffffff);
  }
  image->f.destroy_image(image);  // Xutil.h's macros, which clash with googletest's
  const auto shade = [](unsigned long pixel) { return pixel & 0xff; };
  if (bar && (std::none_of(bar->begin(), bar->end(), [&](auto p) { return shade(p) < 0x40; }) ||
              std::none_of(bar->begin(), bar->end(), [&](auto p) { return shade(p) > 0xd0; })))
    bar.reset();
  return bar;
}

TEST(WaylandGameTest, LibdecorDrawsTheTitleWhereTheCompositorDrawsNoFrame) {
  XSession x;
  Weston weston(x);
  Environment env = weston.wayland;
  env.emplace_back("DISPLAY", "");  // or the X11 window, framed there, would play
  std::vector<std::string> args = answers_for("KK");
  args.insert(args.begin(), "--window=wayland");
  auto game = x.start_game(kScriptedGame, args, env);
  std::optional<std::vector<unsigned long>> prompt;
  ASSERT_TRUE(eventually([&] { return (prompt = title_bar(x, weston.window)).has_value(); }));
  x.use_window(weston.window);
  x.tap(kSpaceKeycode);  // "K": the bar shows the new title
  EXPECT_TRUE(eventually([&] {
    const auto now = title_bar(x, weston.window);
    return now && now != prompt;
  }));
  x.tap(kEscKeycode);
  EXPECT_EQ(game->wait(20s), 0);
}

TEST(WaylandGameTest, ChoosesTheWindowThatShowsItsTitle) {
  XSession x;
  SwaySession framing(x);
  // weston draws no frames: where there is an X server, its window's frame
  // is drawn there instead.
  Weston weston(x);
  const Environment& weston_env = weston.wayland;
  const std::string dir = weston.dir;
  const struct {
    const char* compositor;  // sway, weston or none
    bool display;            // DISPLAY is set
    const char* option;
    const char* opened;
  } cases[] = {
      {"sway", true, "", "wayland"},
      {"sway", false, "", "wayland"},
      {"sway", true, "--window=x11", "x11"},
      {"none", true, "", "x11"},
      {"weston", true, "", "x11"},
      {"weston", false, "", "wayland"},
      {"weston", true, "--window=wayland", "wayland"},
      {"none", true, "--window=wayland", "none"},
  };
  for (const auto& c : cases) {
    Environment env = kWaylandDebug;
    const std::string compositor = c.compositor;
    const Environment& wayland = compositor == "sway" ? framing.wayland() : weston_env;
    if (compositor != "none") env.insert(env.end(), wayland.begin(), wayland.end());
    if (compositor == "none")
      env.insert(env.end(), {{"WAYLAND_DISPLAY", ""}, {"XDG_RUNTIME_DIR", dir + "/none"}});
    std::vector<std::string> args;
    if (*c.option) args.push_back(c.option);
    if (!c.display) env.emplace_back("DISPLAY", "");
    auto game = x.start_game(kGame, args, env);
    EXPECT_EQ(window_opened(x, *game), c.opened)
        << c.compositor << (c.display ? " + DISPLAY " : " ") << c.option;
    if (std::string(c.opened) == "none") {
      EXPECT_EQ(game->wait(20s), 1);
      EXPECT_TRUE(game->stderr_text().ends_with(
          "titletype: cannot connect to the Wayland compositor ''\n"));
    }
  }
}

}  // namespace
}  // namespace titletype::e2e
