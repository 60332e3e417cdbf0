// SPDX-License-Identifier: MIT
#include "platform/wayland/wayland_window.h"

#include "platform/wayland/compositor_framed_window.h"
#include "platform/wayland/libdecor_framed_window.h"
#include "platform/wayland/wayland_library.h"
#include "platform/window/display_unavailable.h"

namespace titletype {

void WaylandWindow::show_title(std::string_view title) {
  if (title == shown_title_) return;
  shown_title_ = title;
  set_title(shown_title_.c_str());
}

std::unique_ptr<WaylandWindow> open_wayland_window(wl_display* display, WaylandGlobals& globals,
                                                   WaylandFrame allowed) {
  bool compositor_frames = globals.decorations != nullptr;
  if (compositor_frames) {
    auto window = std::make_unique<CompositorFramedWindow>(globals);
    window->map();
    while (!window->answered()) {
      if (wl_display_dispatch(display) < 0) {
        throw DisplayUnavailable("lost the connection to the Wayland compositor");
      }
    }
    compositor_frames = !window->frame_refused();
    if (compositor_frames) return window;
  }
  switch (frame_after_answer(allowed, compositor_frames)) {
    case FrameAfterAnswer::kGiveWay:
      throw DisplayUnavailable("the Wayland compositor draws no frame for the window");
    case FrameAfterAnswer::kCompositors:  // returned above
    case FrameAfterAnswer::kLibdecor:
      break;
  }
  load_libdecor();
  auto window = std::make_unique<LibdecorFramedWindow>(display, globals);
  window->map();
  return window;
}

}  // namespace titletype
