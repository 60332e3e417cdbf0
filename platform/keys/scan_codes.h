// SPDX-License-Identifier: MIT
// The JIS virtual-key code of a key by its scan code (set 1, as Windows
// hands it over in a key message), which names the key's place on the
// keyboard whatever the layout: the Windows build reads keys by position
// through this, as the other builds do through their own names of places.
#pragma once

#include <optional>

#include "platform/keys/jis_keys.h"

namespace titletype {

/// The key with scan code `scan_code` (the E0-prefixed keys with `extended`
/// set); the keypad's digits and decimal point depend on NumLock. Nothing
/// for scan codes of keys that a JIS keyboard does not have.
std::optional<KeyCode> jis_key_for_scan_code(unsigned scan_code, bool extended, NumLock num_lock);

}  // namespace titletype
