// SPDX-License-Identifier: MIT
// Play by the typed character: what every backend's key-down, once
// described, tells the rules.
#include "platform/keys/typed_keys.h"

#include <gtest/gtest.h>

#include "tests/printers.h"

namespace titletype {
namespace {

using namespace vk;

TEST(TypedKeysTest, TheTypedCharacterIsItsJisStrokeAndOtherKeysAreThemselves) {
  constexpr ModifierMask S = kShiftBit, C = kCtrlBit, A = kAltBit;
  const std::optional<KeyStroke> none;
  const std::pair<TypedKey, std::optional<KeyStroke>> cases[] = {
      // A character, by the JIS keys that type it; Shift went into it.
      {{.text = 'a'}, KeyStroke{'A', 0}},
      {{.text = 'Q', .modifiers = S}, KeyStroke{'Q', 0}},
      {{.text = '*', .modifiers = S}, KeyStroke{kColon, S}},
      {{.text = '@', .own_key = '2', .modifiers = S}, KeyStroke{kAt, 0}},
      {{.text = '_'}, KeyStroke{kRo, S}},
      {{.text = ' ', .own_key = kSpace, .modifiers = S}, KeyStroke{kSpace, 0}},
      // Ctrl and Alt beside it count, unless AltGr typed it with them.
      {{.text = 'a', .modifiers = S | C}, KeyStroke{'A', C}},
      {{.text = '9', .modifiers = A}, KeyStroke{'9', A}},
      {{.text = '(', .modifiers = S | C | A}, KeyStroke{'8', S | C | A}},
      {{.text = '@', .modifiers = C | A, .alt_gr = true}, KeyStroke{kAt, 0}},
      {{.text = '~', .modifiers = S, .alt_gr = true}, KeyStroke{kCaret, S}},
      // No JIS key types a character beyond ASCII, whatever its low byte.
      {{.text = U'é', .own_key = 'E'}, none},
      {{.text = 0x141, .own_key = 'L'}, none},
      {{.text = 0xfffd}, none},
      // Keys that type nothing, or a control character, are themselves.
      {{.own_key = kLeft, .modifiers = S | C | A}, KeyStroke{kLeft, S | C | A}},
      {{.text = '\r', .own_key = kEnter, .modifiers = S}, KeyStroke{kEnter, S}},
      {{.text = 0x7f, .own_key = kDelete}, KeyStroke{kDelete, 0}},
      {{.text = 0x1f}, none},
      {{}, none},
      // A modifier key alone and a dead or composing key tell nothing.
      {{.modifier_key = true, .own_key = kShift, .modifiers = S}, none},
      {{.text = '^', .composing = true, .own_key = kCaret}, none},
      {{.composing = true, .own_key = 'A'}, none},
  };
  for (const auto& [key, stroke] : cases)
    EXPECT_EQ(typed_key_stroke(key), stroke) << testing::PrintToString(key);
}

}  // namespace
}  // namespace titletype
