// SPDX-License-Identifier: MIT
// Which key of a JIS keyboard types a character, and with Shift or not: the
// terminal receives characters, and the game wants the key that made them.
#pragma once

#include <optional>

#include "game/key_codes.h"

namespace titletype {

/// What a terminal said of a key: most send a character or a sequence once
/// a key is typed (a tap: down and up); some report each press, repeat and
/// release.
enum class KeyAction { kTap, kDown, kUp };

/// A key pressed with some modifier keys held.
struct KeyStroke {
  KeyCode key;
  ModifierMask modifiers;
  KeyAction action = KeyAction::kTap;
  bool operator==(const KeyStroke&) const = default;
};

/// The stroke that types the printable ASCII character `c` on a JIS keyboard
/// (letters of either case as their unshifted key); nothing for characters
/// that the layout does not have.
std::optional<KeyStroke> jis_stroke_for(char c);

}  // namespace titletype
