// SPDX-License-Identifier: MIT
// The keys a test presses for a character: those that type it in the X
// server's layout (AltGr too), or those at its JIS places in any layout.
#pragma once

#include <X11/XKBlib.h>
#include <X11/keysym.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/keys/jis_characters.h"
#include "platform/x11/server_keyboard.h"

namespace titletype::e2e {

/// X keycodes to press in order and release in reverse: modifiers, then
/// the key.
using Chord = std::vector<int>;

inline constexpr int kLeftShiftKeycode = 50;

/// The server's keyboard map, and its keys' places; freed when it goes.
class ServerKeymap {
 public:
  explicit ServerKeymap(Display* display)
      : xkb_(XkbGetMap(display, XkbAllClientInfoMask, XkbUseCoreKbd)),
        places_(read_server_keyboard(display).names) {}
  ~ServerKeymap() {
    if (xkb_) XkbFreeKeyboard(xkb_, 0, True);
  }
  ServerKeymap(const ServerKeymap&) = delete;
  ServerKeymap& operator=(const ServerKeymap&) = delete;

  /// The first keycode whose key has `symbol` at `level` of the first
  /// group, among the keys of a JIS keyboard with `jis_only`.
  std::optional<int> keycode_of(KeySym symbol, int level = 0, bool jis_only = false) const {
    for (int code = xkb_ ? xkb_->min_key_code : 1; xkb_ && code <= xkb_->max_key_code; ++code) {
      if (XkbKeyNumGroups(xkb_, code) > 0 && level < XkbKeyGroupWidth(xkb_, code, 0) &&
          XkbKeySymEntry(xkb_, code, level, 0) == symbol &&
          (!jis_only || places_.code(code, NumLock::kOn)))
        return code;
    }
    return std::nullopt;
  }
  /// The first keycode at the place of the JIS key `key`.
  std::optional<int> keycode_at(KeyCode key) const {
    for (int code = 0; code < JisKeyboard::kKeycodes; ++code) {
      if (places_.code(code, NumLock::kOn) == key) return code;
    }
    return std::nullopt;
  }

 private:
  XkbDescPtr xkb_;
  JisKeyboard places_;
};

/// The keys that type `c` (a letter unshifted) in the server's layout, by
/// level, JIS keys before others (ISO's <>); nothing if it cannot.
inline std::optional<Chord> chord_in_layout(Display* display, char c) {
  const ServerKeymap keymap(display);
  const KeySym symbol = c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;  // letters by their key
  for (int at = 0; at < 8; ++at) {
    const int level = at % 4;
    const auto key = keymap.keycode_of(symbol, level, at < 4);
    if (!key) continue;
    Chord chord;
    if (level % 2) chord.push_back(kLeftShiftKeycode);
    const auto alt_gr = keymap.keycode_of(XK_ISO_Level3_Shift);
    if (level >= 2 && !alt_gr) continue;
    if (level >= 2) chord.push_back(*alt_gr);
    chord.push_back(*key);
    return chord;
  }
  return std::nullopt;
}

/// The keys at the places where a JIS keyboard types `c`.
inline Chord chord_by_place(Display* display, char c) {
  const auto stroke = jis_stroke_for(c);
  const auto key = stroke ? ServerKeymap(display).keycode_at(stroke->key) : std::nullopt;
  if (!key) throw std::invalid_argument(std::string("no JIS key for ") + c);
  return stroke->modifiers & kShiftBit ? Chord{kLeftShiftKeycode, *key} : Chord{*key};
}

}  // namespace titletype::e2e
