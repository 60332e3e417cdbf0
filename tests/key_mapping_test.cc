// SPDX-License-Identifier: MIT
// Which key-downs remove which first characters on the JIS layout.
#include <gtest/gtest.h>

#include "tests/sim_game.h"

namespace titletype {
namespace {

struct KeyCase {
  char target;
  KeyCode key;
  ModifierMask modifiers;
  bool hit;
};

// Runs each case in a fresh game whose title is the target and one more
// character, so that a hit shows as a shorter title.
void expect_hits(const std::vector<KeyCase>& cases) {
  for (const KeyCase& c : cases) {
    const std::string target{c.target, 'Z'};
    auto sim = playing(target);
    sim->key_down(c.key, c.modifiers);
    EXPECT_EQ(sim->title(), c.hit ? "Z" : target)
        << "'" << c.target << "' key " << c.key << " modifiers " << int(c.modifiers);
  }
}

TEST(KeyMappingTest, PunctuationRows) {
  expect_hits({
      {':', 186, 0, true},  {':', 186, 1, false}, {';', 187, 0, true},  {'<', 188, 1, true},
      {'<', 188, 0, false}, {'=', 189, 2, true},  {'>', 190, 4, true},  {'?', 191, 1, true},
      {'?', 191, 0, false}, {'@', 192, 0, true},  {'@', 192, 1, false}, {'*', 186, 1, true},
      {'*', 186, 0, false}, {'+', 187, 1, true},  {'+', 187, 0, false}, {',', 188, 0, true},
      {'-', 189, 0, true},  {'.', 190, 0, true},  {'/', 191, 0, true},  {'/', 191, 1, false},
  });
}

TEST(KeyMappingTest, GeneralRuleAcrossTheKeyboard) {
  // clang-format off
  expect_hits({
      // Letters and digits; Caps Lock plays no part.
      {'A', 'A', 0, true}, {'Z', 'Z', 0, true}, {'0', '0', 0, true}, {'9', '9', 0, true},
      // Shift with the digit keys gives "!" to ")" as on a JIS keyboard;
      // Ctrl and Alt count as Shift does.
      {'!', '1', 1, true}, {'"', '2', 2, true}, {')', '9', 4, true}, {'1', '1', 1, false},
      // With a modifier, letters give "1" to "9", ":" to "@" and "A" to "J".
      {'1', 'A', 1, true}, {':', 'J', 1, true}, {'@', 'P', 1, true}, {'J', 'Z', 1, true},
      {'A', 'A', 1, false},
      // The keypad digits never match; with a modifier they give "P" to "Y".
      {'P', 96, 0, false}, {'P', 96, 1, true}, {'Y', 105, 2, true},
      // Editing and arrow keys match the characters of their own codes.
      {'!', 33, 0, true}, {'"', 34, 0, true}, {'#', 35, 0, true}, {'$', 36, 0, true},
      {'%', 37, 0, true}, {'&', 38, 0, true}, {'\'', 39, 0, true}, {'(', 40, 0, true},
      {'-', 45, 0, true}, {'.', 46, 0, true}, {'!', 33, 1, false},
      // Keys 170 to 175 without a modifier are not the shifted rows.
      {'*', 170, 0, false}, {'+', 171, 0, false}, {'<', 172, 0, false},
      {'=', 173, 0, false}, {'>', 174, 0, false}, {'?', 175, 0, false},
      // Codes that stand for no character.
      {'A', 16, 1, false}, {'A', 8, 1, false}, {'A', -32768, 1, false}, {'A', 32767, 0, false},
  });
  // clang-format on
}

}  // namespace
}  // namespace titletype
