// SPDX-License-Identifier: MIT
// The libraries of the Wayland window, loaded when it needs them rather than
// linked: libwayland-client when it opens, libdecor only where the window
// must draw its own frame, xkbcommon only to play by the typed character.
// The X11 window and the terminal game never map any of them. Each
// library's functions that the window calls are defined beside its loader,
// forwarding to the library's own.
#pragma once

namespace titletype {

/// Each loads its library once; throws DisplayUnavailable, whose one line
/// says what is missing, where it cannot be loaded.
void load_wayland_client();
void load_libdecor();
void load_xkbcommon();

}  // namespace titletype
