// SPDX-License-Identifier: MIT
// The keys that hit each character of the feed.
#include <gtest/gtest.h>

#include "platform/keys/jis_characters.h"
#include "tests/sim_game.h"

namespace titletype {
namespace {

using namespace vk;

/// Where a JIS keyboard has `c`, as its legends stand: Shift for the upper
/// legend.
KeyStroke jis_legend(char c) {
  if (std::isalnum(static_cast<unsigned char>(c))) return {c, 0};
  if (const auto i = std::string_view("!\"#$%&'()").find(c); i != std::string_view::npos)
    return {static_cast<KeyCode>('1' + i), kShiftBit};
  const std::string_view plain = "-@;:,./", shifted = "=`+*<>?";
  constexpr KeyCode keys[] = {kMinus, kAt, kSemicolon, kColon, kComma, kPeriod, kSlash};
  const auto i = plain.find(c);
  return i != plain.npos ? KeyStroke{keys[i], 0} : KeyStroke{keys[shifted.find(c)], kShiftBit};
}

// The table that terminals and typed keys read is the keyboard's, and the
// rules hit each character with its key.
TEST(KeyMappingTest, EveryFeedCharacterStruckAsAJisKeyboardTypesItRemovesIt) {
  for (char c = '!'; c <= 'Z'; ++c) {
    const KeyStroke stroke = jis_legend(c);
    EXPECT_EQ(jis_stroke_for(c), stroke) << c;
    auto sim = playing(std::string{c, 'Z'});
    sim->stroke(stroke);
    EXPECT_EQ(sim->title(), "Z") << "struck '" << c << "'";
  }
}

}  // namespace
}  // namespace titletype
