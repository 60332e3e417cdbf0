// SPDX-License-Identifier: MIT
// Which key of a JIS keyboard types a character, and with Shift or not: a
// terminal, or a layout that is not JIS, gives characters, and the game
// wants the key that would have made them on a JIS keyboard.
#pragma once

#include <optional>

#include "platform/keys/key_strokes.h"

namespace titletype {

/// The stroke that types the printable ASCII character `c` on a JIS keyboard
/// (letters of either case as their unshifted key); nothing for characters
/// that the layout does not have.
std::optional<KeyStroke> jis_stroke_for(char c);

}  // namespace titletype
