// SPDX-License-Identifier: MIT
// The keys of terminals that speak the kitty keyboard protocol, which names
// each key by a number: its character, or a private-use number for keys that
// type none (modifiers, the keypad, the lock keys).
#pragma once

#include <optional>

#include "platform/terminal/jis_characters.h"

namespace titletype {

/// The JIS key of a protocol key number `code`, found by its position where
/// the terminal gives `base`, the character of the same key on a US layout
/// (0 where it gives none), and by its character otherwise. The stroke's
/// modifiers are the key's own bit for Shift, Ctrl and Alt, 0 for the others.
std::optional<KeyStroke> kitty_key(int code, int base);

}  // namespace titletype
