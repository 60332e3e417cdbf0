// SPDX-License-Identifier: MIT
// Keys as the game receives them: Windows virtual-key codes as a Japanese
// (JIS) keyboard produces them, and a mask of the modifier keys held. The
// codes have their names in virtual_keys.h.
#pragma once

#include <cstdint>

namespace titletype {

using KeyCode = int16_t;
using ModifierMask = uint8_t;

inline constexpr ModifierMask kShiftBit = 1;
inline constexpr ModifierMask kCtrlBit = 2;
inline constexpr ModifierMask kAltBit = 4;

}  // namespace titletype
