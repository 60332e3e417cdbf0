// SPDX-License-Identifier: MIT
// PNG files of the icon: with a palette of as few bits a pixel as its
// colours allow (RGBA past 256 colours), compressed, for the installed icon
// and the page's icons alike.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/window/xpm_image.h"

namespace titletype {

std::vector<uint8_t> png_of(const ArgbImage& image);

}  // namespace titletype
