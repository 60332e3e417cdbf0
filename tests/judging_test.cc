// SPDX-License-Identifier: MIT
// Hits, misses and modifier counts for each key-down.
#include <gtest/gtest.h>

#include "tests/sim_game.h"

namespace titletype {
namespace {

struct KeyDown {
  KeyCode key;
  ModifierMask modifiers;
};

struct JudgingCase {
  const char* title;
  std::vector<KeyDown> keys;  // pressed and held: no key-up between them
  const char* after;
  Counts change;
};

TEST(JudgingTest, CountsWhilePlaying) {
  const JudgingCase cases[] = {
      {"AB", {{'A', 0}}, "B", {1, 1, 0}},
      {"AAB", {{'A', 0}}, "AB", {1, 0, 0}},
      {"A", {{'A', 0}}, "", {1, 1, 0}},
      {"*C", {{16, kShiftBit}, {186, kShiftBit}}, "C", {1, 2, 2}},
      {"Q", {{'W', 0}}, "Q", {0, 1, 0}},
      {"11", {{'A', kShiftBit}}, "1", {1, 0, 1}},      // a double typed with Shift
      {"::", {{186, 0}}, ":", {1, 1, 0}},              // row hits always miss too
      {"B", {{kSpaceKey, kCtrlBit}}, "B", {0, 1, 1}},  // Space is judged like any key
  };
  for (const JudgingCase& c : cases) {
    auto sim = playing(c.title);
    const Counts before = counts(*sim);
    for (const KeyDown& k : c.keys) sim->key_down(k.key, k.modifiers);
    EXPECT_EQ(sim->title(), c.after) << c.title;
    EXPECT_EQ(counts(*sim) - before, c.change) << c.title;
  }
}

TEST(JudgingTest, OutsidePlayEveryKeyMissesButRowHits) {
  SimPlatform waiting;
  waiting.key_down('H');
  waiting.key_down(16, kShiftBit);
  EXPECT_EQ(counts(waiting), (Counts{0, 2, 0})) << "no modifier count outside play";

  auto over = playing("/ABCDEFGH", 'J');
  over->run_for(ms(2000));
  const Counts before = counts(*over);
  over->key_down(191);  // row hit: no miss
  over->key_down('A');  // general rule needs a game: miss
  over->key_down(kEscKey);
  EXPECT_EQ(counts(*over) - before, (Counts{1, 2, 0}));
}

TEST(JudgingTest, TheStartingSpaceIsNotCountedInTheNewGame) {
  SimPlatform sim({starts_with('A')});
  sim.key_down('Q');
  sim.key_down(kSpaceKey, kShiftBit);
  EXPECT_EQ(counts(sim), (Counts{0, 0, 0}));
  EXPECT_FALSE(sim.form().shift_flag);
}

}  // namespace
}  // namespace titletype
