// SPDX-License-Identifier: MIT
// The XKB name of each keycode of the X server's keyboard: its place on
// the keyboard, which JisKeyboard turns into the JIS key at that place.
#pragma once

#include <X11/Xlib.h>

#include "platform/keys/jis_keyboard.h"

namespace titletype {

/// Empty names where the server has none (or no XKB).
JisKeyboard::KeycodeNames read_keycode_names(Display* display);

}  // namespace titletype
