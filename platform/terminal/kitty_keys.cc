// SPDX-License-Identifier: MIT
#include "platform/terminal/kitty_keys.h"

#include <array>
#include <string>
#include <string_view>
#include <utility>

#include "platform/keys/jis_keys.h"
#include "platform/keys/typed_keys.h"

namespace titletype {

namespace {

// Keys that type no character, by the protocol's numbers.
constexpr std::pair<int, std::string_view> kFunctionalKeys[] = {
    {9, "TAB"},      {13, "RTRN"},    {27, "ESC"},     {127, "BKSP"},   {57358, "CAPS"},
    {57359, "SCLK"}, {57360, "NMLK"}, {57361, "PRSC"}, {57362, "PAUS"}, {57363, "COMP"},
    {57409, "KPDL"}, {57410, "KPDV"}, {57411, "KPMU"}, {57412, "KPSU"}, {57413, "KPAD"},
    {57414, "KPEN"}, {57441, "LFSH"}, {57442, "LCTL"}, {57443, "LALT"}, {57444, "LWIN"},
    {57447, "RTSH"}, {57448, "RCTL"}, {57449, "RALT"}, {57450, "RWIN"}};
// The keypad's editing keys, from 57417 on, are its keys with NumLock off.
constexpr int kKeypadLeft = 57417;
constexpr std::array<std::string_view, 11> kKeypadEditingKeys = {
    "KP4", "KP6", "KP8", "KP2", "KP9", "KP3", "KP7", "KP1", "KP0", "KPDL", "KP5"};
constexpr int kKeypadZero = 57399;  // to 57408: the keypad's digits

// The printable keys of a US layout by row, as XKB numbers their positions.
constexpr std::pair<std::string_view, std::string_view> kUsRows[] = {
    {"1234567890-=", "AE"}, {"qwertyuiop[]", "AD"}, {"asdfghjkl;'", "AC"}, {"zxcvbnm,./", "AB"}};

/// The XKB name of the key that types `c` unshifted on a US layout, or "".
std::string us_position(int c) {
  const char ch = static_cast<char>(c);
  if (ch != c) return "";
  if (ch == '`') return "TLDE";
  if (ch == '\\') return "BKSL";
  for (const auto& [keys, row] : kUsRows) {
    if (const auto i = keys.find(ch); i != keys.npos) return xkb_position(row, i + 1);
  }
  return "";
}

// The protocol's numbers of the keys that hold or lock a modifier: Caps
// Lock, NumLock, and left Shift to ISO Level 5 Shift (Super, Hyper and Meta
// among them).
constexpr int kCapsLockKey = 57358, kNumLockKey = 57360;
constexpr int kLeftShiftKey = 57441, kIsoLevel5ShiftKey = 57454;

bool is_lock_or_logo_key(int code) {
  return code == kCapsLockKey || code == kNumLockKey ||
         (code >= kLeftShiftKey && code <= kIsoLevel5ShiftKey);
}

std::optional<KeyStroke> stroke_of(std::string_view xkb_name, NumLock num_lock) {
  const auto key = jis_virtual_key(xkb_name, num_lock);
  if (!key) return std::nullopt;
  return KeyStroke{*key, modifier_bit_of(xkb_name)};
}

}  // namespace

std::optional<KeyStroke> kitty_key(int code, int base) {
  // kitty leaves the base out where it is the code itself (foot never gives
  // one, and there the character's own JIS key below is the best guess);
  // a bare backslash is ¥ or ろ, keys that US keyboards lack.
  const int us = base ? base : code != '\\' ? code : 0;
  if (const std::string position = us_position(us); !position.empty()) {
    return stroke_of(position, NumLock::kOn);
  }
  for (const auto& [number, xkb_name] : kFunctionalKeys) {
    if (number == code) return stroke_of(xkb_name, NumLock::kOn);
  }
  if (code >= kKeypadLeft && code < kKeypadLeft + int(kKeypadEditingKeys.size())) {
    return stroke_of(kKeypadEditingKeys[code - kKeypadLeft], NumLock::kOff);
  }
  if (code >= kKeypadZero && code <= kKeypadZero + 9) {
    return stroke_of("KP" + std::to_string(code - kKeypadZero), NumLock::kOn);
  }
  // A character: the key that types it, whatever Shift it needs.
  if (code < 0x20 || code >= 0x7f) return std::nullopt;
  const auto stroke = jis_stroke_for(static_cast<char>(code));
  return stroke ? std::optional(KeyStroke{stroke->key, 0}) : std::nullopt;
}

std::optional<KeyStroke> kitty_typed_key(int code, int shifted, int text, ModifierMask modifiers) {
  constexpr int kFirstPrivateKey = 57344;  // keys that type nothing, from here on
  const int typed = text                                   ? text
                    : code >= kFirstPrivateKey || code < 0 ? 0
                    : (modifiers & kShiftBit) && shifted   ? shifted
                                                           : code;
  const auto own = kitty_key(code, 0);
  return typed_key_stroke({
      .text = static_cast<char32_t>(typed),
      .modifier_key = (own && own->modifiers) || is_lock_or_logo_key(code),
      .own_key = own ? std::optional(own->key) : std::nullopt,
      .modifiers = modifiers,
  });
}

}  // namespace titletype
