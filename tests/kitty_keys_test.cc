// SPDX-License-Identifier: MIT
// The kitty keyboard protocol's key numbers to JIS keys.
#include "platform/terminal/kitty_keys.h"

#include <gtest/gtest.h>

#include "tests/printers.h"

namespace titletype {
namespace {

using namespace vk;

TEST(KittyKeysTest, KeysByNumberOrByTheirUsPosition) {
  // Keys that type nothing, by the protocol's numbers, at the ends of its
  // ranges and one of each kind; 0 for none.
  // clang-format off
  const std::pair<int, KeyCode> numbers[] = {
      {9, kTab}, {32, kSpace}, {27, kEsc}, {127, kBackspace}, {57358, kEisu}, {57363, kMenu},
      {57398, 0}, {57399, kNumpad0}, {57408, kNumpad0 + 9}, {57409, kDecimal}, {57414, kEnter},
      {57417, kLeft}, {57426, kDelete}, {57427, kClear}, {57428, 0}, {57441, kShift},
      {57448, kCtrl}, {57450, kRightWin}, {57451, 0}, {31, 0}, {128, 0}};
  // clang-format on
  for (const auto& [number, key] : numbers)
    EXPECT_EQ(kitty_key(number, 0).value_or(KeyStroke{0, 0}).key, key) << number;
  EXPECT_EQ(kitty_key(57448, 0)->modifiers, kCtrlBit);
  EXPECT_EQ(kitty_key(57443, 0)->modifiers, kAltBit);
  // A US position wins over the character: "a" where "q" is on a US layout.
  const std::string_view us = "`10-=q[]a;'z,/\\";
  const KeyCode jis[] = {kHankaku, '1', '0',          kMinus, kCaret,
                         'Q',      kAt, kBracketOpen, 'A',    kSemicolon,
                         kColon,   'Z', kComma,       kSlash, kBracketClose};
  for (std::size_t i = 0; i < us.size(); ++i)
    EXPECT_EQ(kitty_key('a', us[i])->key, jis[i]) << us[i];
  EXPECT_EQ(kitty_key('a', 'q' + 256)->key, 'A') << "no character of that number";
}

}  // namespace
}  // namespace titletype
