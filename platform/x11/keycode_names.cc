// SPDX-License-Identifier: MIT
#include "platform/x11/keycode_names.h"

#include <X11/XKBlib.h>

#include <cstring>

namespace titletype {

JisKeyboard::KeycodeNames read_keycode_names(Display* display) {
  JisKeyboard::KeycodeNames names;
  XkbDescPtr xkb = XkbGetMap(display, 0, XkbUseCoreKbd);
  if (!xkb) return names;
  if (XkbGetNames(display, XkbKeyNamesMask, xkb) == Success && xkb->names && xkb->names->keys) {
    for (int code = xkb->min_key_code; code <= xkb->max_key_code && code < JisKeyboard::kKeycodes;
         ++code) {
      const char* name = xkb->names->keys[code].name;
      names[code].assign(name, strnlen(name, XkbKeyNameLength));
    }
  }
  XkbFreeKeyboard(xkb, 0, True);
  return names;
}

}  // namespace titletype
