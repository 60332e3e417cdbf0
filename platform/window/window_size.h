// SPDX-License-Identifier: MIT
// How big the window is. Its client area is given in twips (1/1440 inch),
// so its pixels follow the display's DPI. Each backend whose frame needs
// more room for the whole title widens it by a rule of its own.
#pragma once

#include <cmath>

namespace titletype {

/// The window's client area, in twips: 153 x 72 pixels at 96 DPI.
inline constexpr int kClientWidthTwips = 2295;
inline constexpr int kClientHeightTwips = 1080;

inline constexpr int kDefaultDpi = 96;

/// The desktop windows' plain background, as 0xRRGGBB.
inline constexpr unsigned kBackgroundGrey = 0xc0c0c0;

struct PixelSize {
  int width;
  int height;
  bool operator==(const PixelSize&) const = default;
};

/// `twips` in pixels at `dpi`, to the nearest pixel (halves up).
constexpr int pixels_from_twips(int twips, int dpi) { return (twips * dpi + 720) / 1440; }

/// The client area at `dpi` before any widening: 153 x 72 at 96 DPI.
constexpr PixelSize client_size(int dpi) {
  return {pixels_from_twips(kClientWidthTwips, dpi), pixels_from_twips(kClientHeightTwips, dpi)};
}

/// A DPI that a display may really have; anything else is taken as 96.
inline int plausible_dpi(double dpi) {
  return dpi >= 48 && dpi <= 960 ? static_cast<int>(std::lround(dpi)) : kDefaultDpi;
}

}  // namespace titletype
