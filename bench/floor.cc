// SPDX-License-Identifier: MIT
// The floor that the game is measured against: the smallest Xlib client
// that does the game's work at the window system. A window of the game's
// size with an icon of the game's (32 x 32, one colour), which reads where
// the keyboard's keys are, as play by place must, and whose title changes
// at each key press and at each tick of a 1000 ms deadline timer (poll,
// rounded to whole milliseconds); Esc ends it.
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/window/frame_size.h"

int main() {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 1;
  const titletype::PixelSize size = titletype::framed_client_size(titletype::kDefaultDpi);
  const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0,
                                            static_cast<unsigned>(size.width),
                                            static_cast<unsigned>(size.height), 0, 0, 0xc0c0c0);
  XSelectInput(display, window, KeyPressMask | KeyReleaseMask);
  const long pid = getpid();
  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
  std::vector<long> icon(2 + 32 * 32, 0xffc0c0c0);
  icon[0] = icon[1] = 32;
  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_ICON", False), XA_CARDINAL, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(icon.data()),
                  static_cast<int>(icon.size()));
  XkbDescPtr keyboard = XkbGetMap(display, XkbModifierMapMask, XkbUseCoreKbd);
  if (keyboard) XkbGetNames(display, XkbKeyNamesMask, keyboard);
  Bool detectable;
  XkbSetDetectableAutoRepeat(display, True, &detectable);
  std::string title = "floor";
  XStoreName(display, window, title.c_str());
  XMapWindow(display, window);

  using Clock = std::chrono::steady_clock;
  auto deadline = Clock::now() + std::chrono::milliseconds(1000);
  for (;;) {
    while (XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type != KeyPress) continue;
      if (event.xkey.keycode == 9) return 0;  // Esc
      title = "key " + std::to_string(event.xkey.keycode) + " " + std::to_string(title.size());
      XStoreName(display, window, title.c_str());
    }
    if (Clock::now() >= deadline) {
      deadline += std::chrono::milliseconds(1000);
      title = "tick " + std::to_string(title.size());
      XStoreName(display, window, title.c_str());
    }
    XFlush(display);
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    pollfd watched{ConnectionNumber(display), POLLIN, 0};
    poll(&watched, 1, static_cast<int>(std::max<long>(left.count(), 0)));
  }
}
