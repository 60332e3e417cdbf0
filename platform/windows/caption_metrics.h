// SPDX-License-Identifier: MIT
// The window's size at its DPI, from the system's own figures for its
// caption: the caption font, the buttons as drawn, the small icon.
#pragma once

#include <windows.h>

#include "platform/windows/caption_width.h"

namespace titletype {

/// The DPI of the monitor `window` is on (the system's, before Windows 10).
int window_dpi(HWND window);

/// The client area for `window` at `dpi`, wide enough for its caption to
/// show every title whole.
PixelSize client_size_for_caption(HWND window, int dpi);

/// The outer size of a window of `style` whose client area is `client`.
PixelSize outer_size(PixelSize client, DWORD style, int dpi);

}  // namespace titletype
