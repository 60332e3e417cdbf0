// SPDX-License-Identifier: MIT
// Key mapping: turning a key-down into a normalised code that can be compared
// with the first character of the target string.
//
// Any modifier moves the code down by 16, so on the JIS layout Shift with the
// digit keys 1 to 9 gives the codes of "!" to ")". The characters that sit on
// punctuation keys are matched by a fixed table of rows instead.
#include <algorithm>
#include <array>
#include <limits>

#include "game/form1.h"
#include "game/title_text.h"

namespace titletype {

namespace {

constexpr int kModifierOffset = 16;

struct PunctuationRow {
  char character;
  int16_t key_code;
  bool shift_flag;
};

/// A shifted row's code: its key's code as any modifier moves it.
constexpr int16_t shifted(KeyCode key) { return static_cast<int16_t>(key - kModifierOffset); }

// Tested in this order.
constexpr std::array<PunctuationRow, 13> kPunctuationRows{{
    {':', vk::kColon, false},
    {';', vk::kSemicolon, false},
    {'<', shifted(vk::kComma), true},
    {'=', shifted(vk::kMinus), true},
    {'>', shifted(vk::kPeriod), true},
    {'?', shifted(vk::kSlash), true},
    {'@', vk::kAt, false},
    {'*', shifted(vk::kColon), true},
    {'+', shifted(vk::kSemicolon), true},
    {',', vk::kComma, false},
    {'-', vk::kMinus, false},
    {'.', vk::kPeriod, false},
    {'/', vk::kSlash, false},
}};

}  // namespace

void Form1::normalise_key(KeyCode key, ModifierMask modifiers) {
  if (modifiers == 0) {
    key_code = key;
    return;
  }
  shift_flag = true;
  // The lowest codes cannot go below the 16-bit range; no code that low
  // stands for a character anyway.
  key_code = static_cast<int16_t>(
      std::max<int>(key - kModifierOffset, std::numeric_limits<int16_t>::min()));
}

void Form1::on_key_up(KeyCode, ModifierMask) { shift_flag = false; }

bool Form1::row_test(std::string_view first) const {
  return std::any_of(kPunctuationRows.begin(), kPunctuationRows.end(),
                     [&](const PunctuationRow& row) {
                       return first == std::string_view(&row.character, 1) &&
                              key_code == row.key_code && shift_flag == row.shift_flag;
                     });
}

bool Form1::general_test(std::string_view first) const {
  return playing() && is_char_of_code(first, key_code);
}

}  // namespace titletype
