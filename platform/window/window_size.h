// SPDX-License-Identifier: MIT
// How big the window is. Its client area is given in twips (1/1440 inch),
// so its pixels follow the display's DPI; it is made wider only where the
// frame needs the room to draw the whole title.
#pragma once

#include <array>
#include <cmath>
#include <string>

#include "game/texts.h"

namespace titletype {

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

// A window manager draws the frame, in a font of its own that follows the
// desktop's DPI, beside buttons that mostly do not. Measured under xfwm4,
// openbox, metacity, icewm and fluxbox with their default themes at 96 and
// 192 DPI, the widest title needs up to 174 pixels at 96 DPI for its text,
// scaled with the DPI, and up to 132 more for the icon and the buttons
// (icewm's, which need the most).
inline constexpr int kFramedTitleTwips = 2700;
inline constexpr int kFrameButtonPixels = 132;

/// The client area at `dpi`, wide enough for the frames of the common
/// window managers to draw every title whole (always wider than 2295 twips).
constexpr PixelSize framed_client_size(int dpi) {
  return {pixels_from_twips(kFramedTitleTwips, dpi) + kFrameButtonPixels, client_size(dpi).height};
}

/// A DPI that a display may really have; anything else is taken as 96.
inline int plausible_dpi(double dpi) {
  return dpi >= 48 && dpi <= 960 ? static_cast<int>(std::lround(dpi)) : kDefaultDpi;
}

/// The texts of the title that need the most room in a proportional font:
/// the prompt, the after-game texts with their widest numbers, and a full
/// feed of its widest glyphs.
inline std::array<std::string, 7> widest_titles() {
  const std::size_t full = kLongestTarget + 1;
  return {std::string(kPromptText),
          std::string(kLegendText),
          std::string(kScoreText) + "32767",
          std::string(kRateText) + "100" + std::string(kRateSuffix),
          std::string(full, 'W'),
          std::string(full, 'M'),
          std::string(full, '@')};
}

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
