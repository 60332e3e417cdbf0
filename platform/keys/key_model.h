// SPDX-License-Identifier: MIT
// The two ways the game can read the player's keyboard.
#pragma once

namespace titletype {

enum class KeyModel {
  /// A key is the JIS key at the same place on the keyboard, whatever the
  /// layout: exact, with every press, release and lone modifier.
  kPosition,
  /// A key is the character the player's own layout types, turned into the
  /// JIS stroke that types it (a tap). Lone modifiers and releases are not
  /// passed on; keys that type nothing pass as themselves.
  kTyped,
};

}  // namespace titletype
