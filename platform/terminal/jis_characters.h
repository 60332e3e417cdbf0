// SPDX-License-Identifier: MIT
// Which key of a JIS keyboard types a character, and with Shift or not: the
// terminal receives characters, and the game wants the key that made them.
#pragma once

#include <optional>

#include "game/key_codes.h"

namespace titletype {

/// A key pressed with some modifier keys held.
struct KeyStroke {
  KeyCode key;
  ModifierMask modifiers;
  bool operator==(const KeyStroke&) const = default;
};

/// The stroke that types the printable ASCII character `c` on a JIS keyboard
/// (letters of either case as their unshifted key); nothing for characters
/// that the layout does not have.
std::optional<KeyStroke> jis_stroke_for(char c);

}  // namespace titletype
