// SPDX-License-Identifier: MIT
#include "platform/x11/server_keyboard.h"

#include <X11/XKBlib.h>

#include <cstring>

namespace titletype {

ServerKeyboard read_server_keyboard(Display* display) {
  ServerKeyboard keyboard;
  XkbDescPtr xkb = XkbGetMap(display, XkbModifierMapMask, XkbUseCoreKbd);
  if (!xkb) return keyboard;
  if (XkbGetNames(display, XkbKeyNamesMask, xkb) == Success && xkb->names && xkb->names->keys) {
    for (int code = xkb->min_key_code; code <= xkb->max_key_code && code < JisKeyboard::kKeycodes;
         ++code) {
      const char* name = xkb->names->keys[code].name;
      keyboard.names[code] = std::string_view(name, strnlen(name, XkbKeyNameLength));
      if (keyboard.names[code] == "NMLK" && xkb->map && xkb->map->modmap) {
        keyboard.num_lock_mask = xkb->map->modmap[code];
      }
    }
  }
  XkbFreeKeyboard(xkb, 0, True);
  return keyboard;
}

}  // namespace titletype
