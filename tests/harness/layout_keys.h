// SPDX-License-Identifier: MIT
// The keys a test presses for a character: those that type it in the X
// server's layout (AltGr too), or those at its JIS places in any layout.
#pragma once

#include <X11/XKBlib.h>
#include <X11/keysym.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace titletype::e2e {

/// X keycodes to press in order and release in reverse: modifiers, then
/// the key.
using Chord = std::vector<int>;

inline constexpr int kLeftShiftKeycode = 50;

/// The server's keyboard map; freed when it goes.
class ServerKeymap {
 public:
  explicit ServerKeymap(Display* display)
      : xkb_(XkbGetMap(display, XkbAllClientInfoMask, XkbUseCoreKbd)) {}
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
          XkbKeySymEntry(xkb_, code, level, 0) == symbol && (!jis_only || jis_place(code)))
        return code;
    }
    return std::nullopt;
  }

 private:
  // A key that a JIS keyboard has: evdev's first 128, but ISO's extra key
  // (86); not the keypad's parentheses (179 and 180), which type "(" and ")".
  static bool jis_place(int keycode) { return keycode - 8 < 128 && keycode - 8 != 86; }
  XkbDescPtr xkb_;
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

/// The keys at the places where a JIS keyboard types `c`, as its legends
/// stand: rows of keys by the evdev code of their first key (an X keycode is
/// 8 more), each legend plain and with Shift (a space: none). Stated here
/// from the keyboard, apart from the program's tables, so that a key out of
/// place there fails a play.
inline Chord chord_by_place(char c) {
  constexpr struct {
    int first;
    std::string_view plain, shifted;
  } kRows[] = {{2, "1234567890-", "!\"#$%&'() ="},
               {16, "QWERTYUIOP@", ""},
               {30, "ASDFGHJKL;:", "         +*"},
               {44, "ZXCVBNM,./", "       <>?"}};
  for (const auto& row : kRows) {
    if (const auto at = row.plain.find(c); at != row.plain.npos) return {row.first + int(at) + 8};
    if (const auto at = row.shifted.find(c); at != row.shifted.npos && c != ' ')
      return {kLeftShiftKeycode, row.first + int(at) + 8};
  }
  throw std::invalid_argument(std::string("no JIS key for ") + c);
}

}  // namespace titletype::e2e
