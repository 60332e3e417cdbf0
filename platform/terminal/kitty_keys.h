// SPDX-License-Identifier: MIT
// The keys of terminals that speak the kitty keyboard protocol, which names
// each key by a number: its character, or a private-use number for keys that
// type none (modifiers, the keypad, the lock keys).
#pragma once

#include <optional>

#include "platform/keys/jis_characters.h"

namespace titletype {

/// The JIS key of a protocol key number `code`, found by its position where
/// the terminal gives `base`, the character of the same key on a US layout
/// (0 where it gives none, as where it is `code` itself), and by its
/// character otherwise. The stroke's
/// modifiers are the key's own bit for Shift, Ctrl and Alt, 0 for the others.
std::optional<KeyStroke> kitty_key(int code, int base);

/// For play by the typed character: the JIS tap for a key pressed with
/// `modifiers`, by the `text` it typed (0 for none), else by its `shifted`
/// character while Shift is held (0 for none), else by its own. Keys that
/// type no character tap as themselves; lone modifiers, and characters that
/// no JIS key types, give nothing.
std::optional<KeyStroke> kitty_typed_key(int code, int shifted, int text, ModifierMask modifiers);

}  // namespace titletype
