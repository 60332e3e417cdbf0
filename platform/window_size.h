// SPDX-License-Identifier: MIT
// How big the window is. Its client area is given in twips (1/1440 inch),
// so its pixels follow the display's DPI; it is made wider only where the
// frame needs the room to draw the whole title.
#pragma once

#include <array>
#include <cmath>
#include <string_view>

namespace titletype {

inline constexpr int kClientWidthTwips = 2295;
inline constexpr int kClientHeightTwips = 1080;
inline constexpr int kDefaultDpi = 96;

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

/// The texts of the title that need the most room in a proportional font:
/// the prompt, the after-game texts and a full feed of its widest glyphs.
inline constexpr std::array<std::string_view, 7> kWidestTitles = {
    "Hit Space Key!!!", "Y-SPACE N-Esc", "SCORE 32767", "Success 100%",
    "WWWWWWWWWWW",      "MMMMMMMMMMM",   "@@@@@@@@@@@"};

/// What a Windows caption is made of at the window's DPI, in pixels.
struct CaptionFigures {
  int text_width;     // the widest title in the caption font
  int icon_width;     // the small icon
  int buttons_width;  // all caption buttons together
  int frame_padding;  // the padded border, on either side
};

/// Besides those, the system keeps a few pixels before the icon, between
/// the icon and the text and between the text and the buttons.
inline constexpr int kCaptionGapsTwips = 360;

/// The width of a client area whose caption shows every title whole at
/// `dpi`: the caption runs across the client area's width.
constexpr int client_width_for_caption(const CaptionFigures& caption, int dpi) {
  const int needed = caption.icon_width + caption.text_width + caption.buttons_width +
                     2 * caption.frame_padding + pixels_from_twips(kCaptionGapsTwips, dpi);
  const int base = client_size(dpi).width;
  return needed > base ? needed : base;
}

}  // namespace titletype
