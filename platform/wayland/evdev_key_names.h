// SPDX-License-Identifier: MIT
// Where each key is, by the evdev code that a Wayland compositor sends: the
// window plays by place from these codes alone, with no keymap to compile.
// Every Linux compositor numbers keys as the kernel does, and a keymap in
// XKB's format (the only one the protocol has) numbers them 8 more.
#pragma once

#include <string_view>

#include "platform/keys/jis_keyboard.h"

namespace titletype {

/// XKB keycodes are evdev codes plus this.
inline constexpr int kEvdevToXkb = 8;

/// The XKB name of each keycode (evdev + 8) of a JIS keyboard.
JisKeyboard::KeycodeNames evdev_keycode_names();

/// Whether a held key repeats: every key but the modifiers, the locks and
/// the Windows keys, as XKB's own keymaps have it.
bool key_repeats(std::string_view xkb_name);

}  // namespace titletype
