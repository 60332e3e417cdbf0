// SPDX-License-Identifier: MIT
// The window's frame under real window managers, at 96 and 192 DPI: every
// wide title must be drawn whole. A very wide window with the same title
// shows what the whole title looks like in that frame; those exact pixels
// must then be found in the game window's title bar, so an ellipsis or a
// clipped end fails.
// gtest first: Xlib's macros (None, Bool) would break it.
#include <gtest/gtest.h>
// clang-format off
#include <X11/Xatom.h>
#include <X11/Xutil.h>
// clang-format on

#include <cstdint>
#include <filesystem>

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

/// The title bar that the manager draws above `client`: the top of its frame.
Image title_bar(Display* display, ::Window client) {
  const auto frame = property<long>(display, client, "_NET_FRAME_EXTENTS");
  XWindowAttributes client_size;
  int x, y;
  ::Window child;
  if (!frame || frame->size() != 4 || !XGetWindowAttributes(display, client, &client_size) ||
      !XTranslateCoordinates(display, client, DefaultRootWindow(display), 0, 0, &x, &y, &child))
    return {};
  const int left = int((*frame)[0]), right = int((*frame)[1]), top = int((*frame)[2]);
  Image bar{
      std::min(client_size.width + left + right, DisplayWidth(display, 0) - x + left), top, {}};
  XImage* shot = bar.width > 0 && top > 0 && y >= top && x >= left
                     ? XGetImage(display, DefaultRootWindow(display), x - left, y - top,
                                 unsigned(bar.width), unsigned(top), AllPlanes, ZPixmap)
                     : nullptr;
  if (!shot) return {};
  for (int row = 0; row < bar.height; ++row)
    for (int column = 0; column < bar.width; ++column)
      bar.pixels.push_back(std::uint32_t(XGetPixel(shot, column, row) & 0xffffff));
  XDestroyImage(shot);
  return bar;
}

/// What `with` shows where `without` differs from it: the title's text.
Image changes(const Image& with, const Image& without) {
  int x0 = with.width, y0 = with.height, x1 = -1, y1 = -1;
  for (int y = 0; y < with.height && with.width == without.width; ++y)
    for (int x = 0; x < with.width; ++x)
      if (with.at(x, y) != without.at(x, y))
        x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
  Image text{x1 - x0 + 1, y1 - y0 + 1, {}};
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) text.pixels.push_back(with.at(x, y));
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

/// Waits until the title bar of `window` is the same twice in a row, 100 ms
/// apart, and `done` holds for it.
Image settled(Display* display, ::Window window, const std::function<bool(const Image&)>& done) {
  Image last;
  for (int i = 0; i < 100; ++i) {
    std::this_thread::sleep_for(100ms);
    Image now = title_bar(display, window);
    if (now == last && !now.pixels.empty() && done(now)) return now;
    last = std::move(now);
  }
  return {};
}

/// Asks the manager to give `window` the focus, as a taskbar does, and
/// waits until it has.
bool activate(Display* display, ::Window window) {
  const ::Window root = DefaultRootWindow(display);
  XEvent event{};
  event.xclient = {ClientMessage,
                   0,
                   False,
                   display,
                   window,
                   XInternAtom(display, "_NET_ACTIVE_WINDOW", False),
                   32,
                   {}};
  event.xclient.data.l[0] = 2;
  XSendEvent(display, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
  XFlush(display);
  for (int i = 0; i < 200; ++i) {
    const auto active = property<long>(display, root, "_NET_ACTIVE_WINDOW");
    if (active && !active->empty() && active->front() == long(window)) return true;
    std::this_thread::sleep_for(25ms);
  }
  return false;
}

struct Manager {
  const char* name;
  std::vector<std::string> command;  // run in a session of its own
  friend void PrintTo(const Manager& manager, std::ostream* out) { *out << manager.name; }
};

class WindowFrameTest : public testing::TestWithParam<std::tuple<Manager, int>> {
 protected:
  void TearDown() override {
    // The manager's helpers (a D-Bus daemon, settings daemons) go with it.
    if (manager_) ::kill(-manager_->pid(), SIGKILL);
    std::filesystem::remove_all(home_);
  }

  XSession x_{"1600x600x24"};
  std::string home_ = "/tmp/titletype-wm-XXXXXX";
  std::unique_ptr<Process> manager_;
};

TEST_P(WindowFrameTest, EveryWideTitleIsDrawnWhole) {
  const auto& [manager, dpi] = GetParam();
  const std::string resources = "Xft.dpi:\t" + std::to_string(dpi) + "\n";
  XChangeProperty(x_.display(), DefaultRootWindow(x_.display()), XA_RESOURCE_MANAGER, XA_STRING, 8,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(resources.data()),
                  int(resources.size()));
  XSync(x_.display(), False);
  // A connection of its own, which reads the DPI set above.
  const std::unique_ptr<Display, int (*)(Display*)> connection(
      XOpenDisplay(x_.display_name().c_str()), XCloseDisplay);
  Display* display = connection.get();
  ASSERT_EQ(X11Window::desktop_dpi(display), dpi);
  X11Window game(display);
  const ::Window wide = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1400,
                                            game.size_for_dpi(dpi).height, 0, 0, 0xc0c0c0);
  const auto any = [](const Image&) { return true; };
  XMoveWindow(display, game.id(), 0, 300);
  XMapWindow(display, wide);
  game.map();
  XSync(display, False);
  // The manager takes the windows already mapped: no race with a manager
  // that is not quite up yet.
  ASSERT_TRUE(mkdtemp(home_.data()));
  manager_ = x_.start_game("setsid", manager.command, {{"HOME", home_}, {"NO_AT_BRIDGE", "1"}});
  ASSERT_TRUE(settled(display, wide, any).width && settled(display, game.id(), any).width);
  for (const std::string title : {"Hit Space Key!!!", "Y-SPACE N-Esc", "WWWWWWWWWWW"}) {
    SCOPED_TRACE(title);
    ASSERT_TRUE(activate(display, wide));
    XStoreName(display, wide, " ");  // a name that is no title
    XFlush(display);
    const Image blank = settled(display, wide, any);
    XStoreName(display, wide, title.c_str());
    XFlush(display);
    const Image text =
        changes(settled(display, wide, [&](const Image& i) { return i != blank; }), blank);
    ASSERT_GT(text.width, 10);
    game.show_title(title);
    ASSERT_TRUE(activate(display, game.id()));
    EXPECT_TRUE(
        settled(display, game.id(), [&](const Image& bar) { return contains(bar, text); }).width);
  }
  XDestroyWindow(display, wide);
}

const Manager kManagers[] = {
    {"xfwm4", {"dbus-run-session", "xfwm4", "--compositor=off"}},
    {"openbox", {"openbox"}},
    {"icewm", {"icewm"}},
    {"fluxbox", {"fluxbox"}},
    {"metacity", {"dbus-run-session", "metacity"}},
};

INSTANTIATE_TEST_SUITE_P(Managers, WindowFrameTest,
                         testing::Combine(testing::ValuesIn(kManagers), testing::Values(96, 192)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) + "_" +
                                  std::to_string(std::get<1>(info.param));
                         });

}  // namespace
}  // namespace titletype::e2e
