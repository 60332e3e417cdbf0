// SPDX-License-Identifier: MIT
// The X server's keyboard by place: the XKB name of each keycode, which
// JisKeyboard turns into the JIS key at that place, and the modifier that
// the Num Lock key (the key at NMLK) locks.
#pragma once

#include <X11/Xlib.h>

#include "platform/keys/jis_keyboard.h"

namespace titletype {

struct ServerKeyboard {
  JisKeyboard::KeycodeNames names;  // empty where the server has none (or no XKB)
  unsigned num_lock_mask = 0;
};

/// Read with one request for the modifier map and one for the names.
ServerKeyboard read_server_keyboard(Display* display);

}  // namespace titletype
