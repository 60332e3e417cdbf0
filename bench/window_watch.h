// SPDX-License-Identifier: MIT
// Timed observations of a window on the benchmark's X server: when its title
// changes, and pointer traffic over it.
#pragma once

#include <X11/Xatom.h>
#include <X11/extensions/XTest.h>
#include <poll.h>

#include <chrono>
#include <optional>

#include "tests/harness/x_session.h"

namespace titletype::bench {

/// Waits for the next change of the watched window's WM_NAME and says when
/// it arrived.
inline std::optional<std::chrono::steady_clock::time_point> next_title_change(
    e2e::XSession& x, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    while (XPending(x.display())) {
      XEvent event;
      XNextEvent(x.display(), &event);
      if (event.type == PropertyNotify && event.xproperty.window == x.window() &&
          event.xproperty.atom == XA_WM_NAME) {
        return std::chrono::steady_clock::now();
      }
    }
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
    if (left <= std::chrono::milliseconds(0)) return std::nullopt;
    pollfd p{ConnectionNumber(x.display()), POLLIN, 0};
    poll(&p, 1, static_cast<int>(left.count()));
  }
}

inline void move_pointer(e2e::XSession& x, int left, int top) {
  XTestFakeMotionEvent(x.display(), -1, left, top, CurrentTime);
  XFlush(x.display());
}

}  // namespace titletype::bench
