// SPDX-License-Identifier: MIT
// The Windows virtual-key code that a key of a JIS keyboard gives, found by
// the browser's name for its physical position (KeyboardEvent.code), never
// by the character it types: "Quote" is the JIS ":" key, "BracketLeft" "@".
#pragma once

#include <optional>
#include <string_view>

#include "game/key_codes.h"
#include "platform/keys/jis_keys.h"

namespace titletype {

/// Nothing for keys that a JIS keyboard does not have.
std::optional<KeyCode> jis_key_for_dom_code(std::string_view code, NumLock num_lock);

}  // namespace titletype
