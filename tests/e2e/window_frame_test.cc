// SPDX-License-Identifier: MIT
// The window's frame under real window managers, at 96 and 192 DPI: every
// wide title must be drawn whole. A very wide window with the same title
// shows what the whole title looks like in that frame; those exact pixels
// must then be found in the game window's title bar, so an ellipsis or a
// clipped end fails.
// gtest first: Xlib's macros (None, Bool) would break it.
#include <gtest/gtest.h>
#include <signal.h>
// clang-format off
#include <X11/Xatom.h>
#include <X11/Xutil.h>
// clang-format on

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <thread>

#include "platform/x11/x11_window.h"
#include "tests/e2e/x_session.h"

namespace titletype::e2e {
namespace {

struct Image {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
  std::uint32_t at(int x, int y) const { return pixels[std::size_t(y * width + x)]; }
  bool operator==(const Image&) const = default;
};

Image grab(Display* display, int x, int y, int width, int height) {
  Image image;
  const int screen_width = DisplayWidth(display, DefaultScreen(display));
  if (x < 0) width += x, x = 0;
  width = std::min(width, screen_width - x);
  XImage* shot = width > 0 && height > 0 && y >= 0
                     ? XGetImage(display, DefaultRootWindow(display), x, y, unsigned(width),
                                 unsigned(height), AllPlanes, ZPixmap)
                     : nullptr;
  if (!shot) return image;
  image.width = width, image.height = height;
  for (int row = 0; row < height; ++row)
    for (int column = 0; column < width; ++column)
      image.pixels.push_back(std::uint32_t(XGetPixel(shot, column, row) & 0xffffff));
  XDestroyImage(shot);
  return image;
}

long cardinal(Display* display, ::Window window, const char* name, std::size_t index) {
  const auto items = property<long>(display, window, name, AnyPropertyType);
  return items && items->size() > index ? (*items)[index] : -1;
}

/// The title bar the manager draws above `client` (the top of its frame),
/// or the whole frame.
Image title_bar(Display* display, ::Window client, bool whole_frame = false) {
  const long left = cardinal(display, client, "_NET_FRAME_EXTENTS", 0),
             right = cardinal(display, client, "_NET_FRAME_EXTENTS", 1),
             top = cardinal(display, client, "_NET_FRAME_EXTENTS", 2),
             bottom = cardinal(display, client, "_NET_FRAME_EXTENTS", 3);
  XWindowAttributes attributes;
  int x, y;
  ::Window child;
  if (top <= 0 || !XGetWindowAttributes(display, client, &attributes) ||
      !XTranslateCoordinates(display, client, DefaultRootWindow(display), 0, 0, &x, &y, &child))
    return {};
  return grab(display, x - int(left), y - int(top), attributes.width + int(left + right),
              int(top) + (whole_frame ? attributes.height + int(bottom) : 0));
}

/// What `with` shows where `without` differs from it: the title's text.
Image changes(const Image& with, const Image& without) {
  int x0 = with.width, y0 = with.height, x1 = -1, y1 = -1;
  for (int y = 0; y < with.height && with.width == without.width; ++y)
    for (int x = 0; x < with.width; ++x)
      if (with.at(x, y) != without.at(x, y))
        x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
  Image text;
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) text.pixels.push_back(with.at(x, y));
  text.width = x1 - x0 + 1, text.height = y1 - y0 + 1;
  return x1 < 0 ? Image{} : text;
}

bool contains(const Image& image, const Image& part) {
  for (int y = 0; y + part.height <= image.height; ++y)
    for (int x = 0; x + part.width <= image.width; ++x) {
      bool same = true;
      for (int row = 0; row < part.height && same; ++row)
        for (int column = 0; column < part.width && same; ++column)
          same = image.at(x + column, y + row) == part.at(column, row);
      if (same) return true;
    }
  return false;
}

/// Waits until `shot()` gives the same image twice in a row, 100 ms
/// apart, and `done` holds for it.
Image settled(const std::function<Image()>& shot, const std::function<bool(const Image&)>& done) {
  Image last;
  for (int i = 0; i < 100; ++i) {
    std::this_thread::sleep_for(100ms);
    Image now = shot();
    if (now == last && done(now)) return now;
    last = std::move(now);
  }
  return {};
}

/// Asks the manager to give `window` the focus, as a taskbar does, and
/// waits until it has.
bool activate(Display* display, ::Window window) {
  const ::Window root = DefaultRootWindow(display);
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = 2;
  XSendEvent(display, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
  XFlush(display);
  for (int i = 0; i < 200; ++i) {
    if (cardinal(display, root, "_NET_ACTIVE_WINDOW", 0) == long(window)) return true;
    std::this_thread::sleep_for(25ms);
  }
  return false;
}

struct Manager {
  const char* name;
  std::vector<std::string> command;
  friend void PrintTo(const Manager& manager, std::ostream* out) { *out << manager.name; }
};

class WindowFrameTest : public testing::TestWithParam<std::tuple<Manager, int>> {
 protected:
  void SetUp() override {
    const std::string resources = "Xft.dpi:\t" + std::to_string(std::get<1>(GetParam())) + "\n";
    XChangeProperty(x_.display(), DefaultRootWindow(x_.display()), XA_RESOURCE_MANAGER, XA_STRING,
                    8, PropModeReplace, reinterpret_cast<const unsigned char*>(resources.data()),
                    int(resources.size()));
    XSync(x_.display(), False);
    ASSERT_TRUE(mkdtemp(home_.data()));
  }
  /// Starts the manager, which takes the windows already mapped: no race
  /// with a manager that is not quite up yet.
  void start_manager() {
    manager_.emplace(std::get<0>(GetParam()).command,
                     std::vector<std::pair<std::string, std::string>>{
                         {"DISPLAY", x_.display_name()}, {"HOME", home_}, {"NO_AT_BRIDGE", "1"}});
  }
  void TearDown() override {
    // The manager leads a session of its own: its helpers (a D-Bus daemon,
    // settings daemons) go with it.
    if (manager_) ::kill(-manager_->pid(), SIGKILL);
    manager_.reset();
    std::filesystem::remove_all(home_);
  }

  XSession x_{"1600x600x24"};
  std::string home_ = "/tmp/titletype-wm-XXXXXX";
  std::optional<Process> manager_;
};

/// Saves `image` where TITLETYPE_FRAME_SHOTS says, as a PPM file.
void keep(const Image& image, const std::string& name) {
  const char* folder = std::getenv("TITLETYPE_FRAME_SHOTS");
  if (!folder || image.pixels.empty()) return;
  std::ofstream out(std::string(folder) + "/" + name + ".ppm", std::ios::binary);
  out << "P6 " << image.width << " " << image.height << " 255\n";
  for (const auto pixel : image.pixels) out << char(pixel >> 16) << char(pixel >> 8) << char(pixel);
}

TEST_P(WindowFrameTest, EveryWideTitleIsDrawnWhole) {
  const auto& [manager, dpi] = GetParam();
  // A connection of its own, which reads the DPI set above.
  const std::unique_ptr<Display, int (*)(Display*)> connection(
      XOpenDisplay(x_.display_name().c_str()), XCloseDisplay);
  Display* display = connection.get();
  ASSERT_EQ(X11Window::desktop_dpi(display), dpi);
  X11Window game(display);
  const ::Window wide = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1400,
                                            game.size_for_dpi(dpi).height, 0, 0, 0xc0c0c0);
  const auto bar_of = [&](::Window w) { return [=] { return title_bar(display, w); }; };
  const auto any = [](const Image& image) { return !image.pixels.empty(); };
  XMoveWindow(display, game.id(), 0, 300);
  XMapWindow(display, wide);
  game.map();
  XSync(display, False);
  start_manager();
  ASSERT_TRUE(settled(bar_of(wide), any).width && settled(bar_of(game.id()), any).width);
  for (const std::string title : {"Hit Space Key!!!", "Y-SPACE N-Esc", "WWWWWWWWWWW"}) {
    SCOPED_TRACE(title);
    ASSERT_TRUE(activate(display, wide));
    XStoreName(display, wide, " ");  // a name that is no title
    XFlush(display);
    const Image blank = settled(bar_of(wide), any);
    XStoreName(display, wide, title.c_str());
    XFlush(display);
    const Image text =
        changes(settled(bar_of(wide), [&](const Image& i) { return i != blank; }), blank);
    ASSERT_GT(text.width, 10);
    game.show_title(title);
    ASSERT_TRUE(activate(display, game.id()));
    const std::string shot =
        std::string(manager.name) + "-" + std::to_string(dpi) + "-" + std::to_string(title.size());
    keep(settled([&] { return title_bar(display, game.id(), true); }, any), shot);
    EXPECT_TRUE(
        settled(bar_of(game.id()), [&](const Image& bar) { return contains(bar, text); }).width)
        << "see " << shot << " (TITLETYPE_FRAME_SHOTS)";
  }
  XDestroyWindow(display, wide);
}

const Manager kManagers[] = {
    {"xfwm4", {"setsid", "dbus-run-session", "xfwm4", "--compositor=off"}},
    {"openbox", {"setsid", "openbox"}},
    {"icewm", {"setsid", "icewm"}},
    {"fluxbox", {"setsid", "fluxbox"}},
    {"metacity", {"setsid", "dbus-run-session", "metacity"}},
};

INSTANTIATE_TEST_SUITE_P(Managers, WindowFrameTest,
                         testing::Combine(testing::ValuesIn(kManagers), testing::Values(96, 192)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) + "_" +
                                  std::to_string(std::get<1>(info.param));
                         });

}  // namespace
}  // namespace titletype::e2e
