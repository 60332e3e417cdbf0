// SPDX-License-Identifier: MIT
// Reads the window icon from its source form, a small XPM grid of palette
// letters, into ARGB pixels that any backend can hand to its window system.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace titletype {

struct ArgbImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // row by row, 0xAARRGGBB

  uint32_t at(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)];
  }
};

/// Accepts one character per pixel and colours written "c #RRGGBB" or
/// "c None" (transparent); nothing if `xpm` is not such an image.
std::optional<ArgbImage> read_xpm(std::span<const char* const> xpm);

/// The game's own icon, from assets/; empty if its source were broken.
const ArgbImage& window_icon();

}  // namespace titletype
