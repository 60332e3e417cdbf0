// SPDX-License-Identifier: MIT
// libX11, which the X11 window loads when it opens rather than the program
// linking it: the terminal game and the Wayland window never map it. The
// Xlib functions that the window calls are defined beside the loader, each
// forwarding to libX11's own, so the window's code reads as plain Xlib.
#pragma once

namespace titletype {

/// Loads libX11 once. Throws DisplayUnavailable, whose one line says what
/// is missing, where it cannot be loaded: the program then plays elsewhere.
void load_xlib();

}  // namespace titletype
