// SPDX-License-Identifier: MIT
#include "platform/keys/jis_characters.h"

#include <string_view>

#include "game/virtual_keys.h"

namespace titletype {

namespace {

struct Punctuation {
  char unshifted;
  char shifted;  // 0 where Shift gives nothing
  KeyCode key;
};

constexpr Punctuation kPunctuationKeys[] = {
    {'-', '=', vk::kMinus},  {'^', '~', vk::kCaret},        {'\\', '|', vk::kYen},
    {'@', '`', vk::kAt},     {'[', '{', vk::kBracketOpen},  {';', '+', vk::kSemicolon},
    {':', '*', vk::kColon},  {']', '}', vk::kBracketClose}, {',', '<', vk::kComma},
    {'.', '>', vk::kPeriod}, {'/', '?', vk::kSlash},        {0, '_', vk::kRo},
};

// Shift with the digit keys 1 to 9.
constexpr std::string_view kShiftedDigits = "!\"#$%&'()";

}  // namespace

std::optional<KeyStroke> jis_stroke_for(char c) {
  if (c >= 'A' && c <= 'Z') return KeyStroke{c, 0};
  if (c >= 'a' && c <= 'z') return KeyStroke{static_cast<KeyCode>(c - 'a' + 'A'), 0};
  if (c >= '0' && c <= '9') return KeyStroke{c, 0};
  if (c == ' ') return KeyStroke{vk::kSpace, 0};
  if (const auto i = kShiftedDigits.find(c); i != std::string_view::npos) {
    return KeyStroke{static_cast<KeyCode>('1' + i), kShiftBit};
  }
  for (const Punctuation& p : kPunctuationKeys) {
    if (p.unshifted && c == p.unshifted) return KeyStroke{p.key, 0};
    if (p.shifted && c == p.shifted) return KeyStroke{p.key, kShiftBit};
  }
  return std::nullopt;
}

}  // namespace titletype
