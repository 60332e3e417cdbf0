// SPDX-License-Identifier: MIT
// How wide the Windows window is made so that its caption shows every
// title whole, from the figures the system gives for the caption. No
// Windows header is needed: the rule is tested on any platform.
#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <string>

#include "game/texts.h"
#include "platform/window/window_size.h"

namespace titletype {

/// The texts of the title that need the most room in a proportional font:
/// the prompt, the after-game texts with their widest numbers, and a full
/// feed of its widest glyphs. The counts stop at 32767, and the rate is
/// widest when every hit but the first came with a modifier and left the
/// same character: 32767 hits over a divisor of 1.
inline std::array<std::string, 7> widest_titles() {
  const std::size_t full = kLongestTarget + 1;
  constexpr int kMostCounted = std::numeric_limits<int16_t>::max();
  return {std::string(kPromptText),
          std::string(kLegendText),
          std::string(kScoreText) + std::to_string(kMostCounted),
          std::string(kRateText) + std::to_string(kMostCounted * 100) + std::string(kRateSuffix),
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
