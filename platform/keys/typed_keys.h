// SPDX-License-Identifier: MIT
// Play by the typed character: what the rules are told of a key-down when
// the game reads the character that the player's own layout types rather
// than the key's place. Every backend turns its event into a TypedKey and
// asks typed_key_stroke; none decides it for itself.
#pragma once

#include <optional>

#include "platform/keys/key_strokes.h"

namespace titletype {

/// A key-down as a backend saw it, described without its platform.
struct TypedKey {
  /// The character the key typed in the layout's current group and level
  /// (Shift and AltGr applied, Ctrl not), or 0 for none. A control
  /// character (Enter's, Tab's) counts as none.
  char32_t text = 0;
  /// A dead key, or an input method composing: it typed something that is
  /// no character of its own yet.
  bool composing = false;
  /// A modifier or lock key itself: Shift, Ctrl, Alt, AltGr, the logo keys,
  /// Caps Lock, NumLock.
  bool modifier_key = false;
  /// The JIS key at the key's place, for a key that types nothing; nothing
  /// where a JIS keyboard has no such key.
  std::optional<KeyCode> own_key = std::nullopt;
  /// Shift, Ctrl and Alt as held at the key-down.
  ModifierMask modifiers = 0;
  /// AltGr typed the character (or Ctrl and Alt together, which stand for
  /// it on Windows): Ctrl and Alt went into the character.
  bool alt_gr = false;

  bool operator==(const TypedKey&) const = default;
};

/// The tap that the rules are told of: a typed character as the JIS stroke
/// that types it, with the Ctrl and Alt held beside it (Shift went into the
/// character); a key that types nothing as itself with every modifier held.
/// Nothing for a modifier key alone, a dead or composing key, or a
/// character that no JIS key types.
std::optional<KeyStroke> typed_key_stroke(const TypedKey& key);

}  // namespace titletype
