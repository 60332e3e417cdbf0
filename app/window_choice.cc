// SPDX-License-Identifier: MIT
#include "app/window_choice.h"

namespace titletype {

PlacesToTry places_to_try(Backend backend, const Surroundings& around) {
  switch (backend) {
    case Backend::kTerminal:
      if (around.terminal) return {{Place::kTerminal}, ""};
      return {{}, "--terminal needs a terminal on standard input and output"};
    case Backend::kX11:
      return {{Place::kX11}, ""};
    case Backend::kWayland:
      if (around.wayland_built) return {{Place::kWaylandAnyFrame}, ""};
      return {{}, "--window=wayland: this build has no Wayland window"};
    case Backend::kWindow:
    case Backend::kAuto:
      break;
  }
  PlacesToTry tried;
  // The Wayland window where the compositor frames it or no X server is
  // there to; the X11 window where it is, whose frame is the desktop's.
  if (around.wayland && around.wayland_built) {
    tried.places.push_back(around.x_server ? Place::kWaylandCompositorsFrame
                                           : Place::kWaylandAnyFrame);
  }
  if (around.x_server) tried.places.push_back(Place::kX11);
  if (backend == Backend::kAuto && around.terminal) tried.places.push_back(Place::kTerminal);
  if (tried.places.empty()) {
    tried.nowhere =
        backend == Backend::kWindow
            ? "no display to open a window on (neither WAYLAND_DISPLAY nor DISPLAY is set)"
            : "no display and no terminal to play in (neither WAYLAND_DISPLAY nor DISPLAY is set,"
              " and standard input or output is not a terminal)";
  }
  return tried;
}

}  // namespace titletype
