// SPDX-License-Identifier: MIT
// How wide a desktop window is made so that the frame around it (an X11
// window manager's, a Wayland compositor's or libdecor's) draws every title
// whole.
#pragma once

#include "platform/window/window_size.h"

namespace titletype {

// A window manager draws the frame, in a font of its own that follows the
// desktop's DPI, beside buttons that mostly do not. Measured under xfwm4,
// openbox, metacity, icewm and fluxbox with their default themes at 96 and
// 192 DPI, the widest title (11 W's, wider in their fonts than the widest
// rate, "Success 3276700%") needs up to 174 pixels at 96 DPI for its text,
// scaled with the DPI, and up to 132 more for the icon and the buttons
// (icewm's, which need the most).
inline constexpr int kFramedTitleTwips = 2700;
inline constexpr int kFrameButtonPixels = 132;

/// The client area at `dpi`, wide enough for the frames of the common
/// window managers to draw every title whole (always wider than 2295 twips).
constexpr PixelSize framed_client_size(int dpi) {
  return {pixels_from_twips(kFramedTitleTwips, dpi) + kFrameButtonPixels, client_size(dpi).height};
}

}  // namespace titletype
