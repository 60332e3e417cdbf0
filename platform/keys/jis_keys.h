// SPDX-License-Identifier: MIT
// The Windows virtual-key code that each physical key of a JIS 106/109
// keyboard gives, found by the key's XKB name (its position on the keyboard,
// whatever the layout and the server's keycode numbering).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "game/key_codes.h"

namespace titletype {

enum class NumLock { kOff, kOn };

/// The virtual-key code of the key named `xkb_name` (such as "AC11"); the
/// keypad's digits and decimal point depend on NumLock. Nothing for keys
/// that a JIS keyboard does not have.
std::optional<KeyCode> jis_virtual_key(std::string_view xkb_name, NumLock num_lock);

/// The XKB name of the `number`th key (1 to 99) of a row: "AE01" from "AE"
/// and 1.
std::string xkb_position(std::string_view row, std::size_t number);

/// The modifier bit of a Shift, Ctrl or Alt key by its XKB name, or 0.
ModifierMask modifier_bit_of(std::string_view xkb_name);

}  // namespace titletype
