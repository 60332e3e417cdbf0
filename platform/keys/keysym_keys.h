// SPDX-License-Identifier: MIT
// Play by the typed character for the desktop windows, which both describe
// a key-down by its XKB keysym: X11 and xkbcommon number keysyms alike.
#pragma once

#include <cstdint>

#include "platform/keys/typed_keys.h"

namespace titletype {

/// What `keysym` says of a key-down: the character it types (`text`, where
/// the caller has it, or the keysym's own), a dead key, or a modifier or
/// lock key. The caller adds the key's own JIS key and the modifiers held.
TypedKey keysym_typed_key(uint32_t keysym, char32_t text = 0);

}  // namespace titletype
