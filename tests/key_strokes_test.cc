// SPDX-License-Identifier: MIT
// A key stroke as the key events that a keyboard sends for it.
#include "platform/keys/key_strokes.h"

#include <gtest/gtest.h>

#include "game/virtual_keys.h"
#include "tests/printers.h"

namespace titletype {
namespace {

using namespace vk;

TEST(KeyStrokesTest, ModifierKeysGoDownFirstAndUpLast) {
  constexpr auto D = KeyEventStep::Kind::kDown, U = KeyEventStep::Kind::kUp;
  constexpr ModifierMask S = kShiftBit, C = kCtrlBit, A = kAltBit;
  // clang-format off
  EXPECT_EQ(key_events_for({kColon, S | C | A}),
            (std::vector<KeyEventStep>{{D, kShift, S}, {D, kCtrl, S | C}, {D, kAlt, S | C | A},
                                       {D, kColon, S | C | A}, {U, kColon, S | C | A},
                                       {U, kAlt, S | C}, {U, kCtrl, S}, {U, kShift, 0}}));
  // clang-format on
  EXPECT_EQ(key_events_for({'A', 0}), (std::vector<KeyEventStep>{{D, 'A', 0}, {U, 'A', 0}}));
  EXPECT_EQ(key_events_for({'A', S, KeyAction::kUp}), (std::vector<KeyEventStep>{{U, 'A', S}}));
}

}  // namespace
}  // namespace titletype
