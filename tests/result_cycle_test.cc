// SPDX-License-Identifier: MIT
// The Over phase: score, success rate, then the question and its legend.
#include <gtest/gtest.h>

#include "tests/sim_game.h"

namespace titletype {
namespace {

/// A game over with `hits` + 1 hits, all doubles typed with `modifiers`
/// (so no miss during play), and `misses` key-downs before the first result
/// tick.
std::unique_ptr<SimPlatform> game_over_with(int hits, int misses, ModifierMask modifiers = 0) {
  auto sim = playing("A", 'A');  // typed its first "A": one hit
  for (int i = 0; i < hits; ++i) {
    sim->run_for(ms(1000));
    sim->key_down(modifiers ? 'Q' : 'A', modifiers);  // Shift+Q is "A"
    sim->key_up('Q');
  }
  EXPECT_EQ(counts(*sim), (Counts{hits + 1, 0, modifiers ? hits : 0}));
  sim->run_for(ms(10'000));
  EXPECT_TRUE(sim->host().timer2().enabled());
  for (int i = 0; i < misses; ++i) sim->press('X');
  return sim;
}

std::string title_at_tick(SimPlatform& sim, int tick) {
  for (int i = 0; i < 400 && sim.form().result_ticks != tick; ++i) sim.run_for(ms(1500));
  EXPECT_EQ(sim.form().result_ticks, tick);
  return std::string(sim.title());
}

TEST(ResultCycleTest, ScoreThenRateRoundedDown) {
  // Each game has one hit more than its `hits`; D is that plus the misses,
  // less the modifiers when the doubles are typed with one.
  const std::tuple<int, int, ModifierMask, const char*> cases[] = {
      {28, 71, 0, "Success 28%"},         // 29 / 100, not 29
      {0, 2, 0, "Success 33%"},           // 1 / 3
      {1, 1, 0, "Success 66%"},           // 2 / 3
      {6, 3, 0, "Success 70%"},           // 7 / 10
      {1, 0, kShiftBit, "Success 200%"},  // 2 / 1: not capped at 100
  };
  for (const auto& [hits, misses, modifiers, rate] : cases) {
    auto sim = game_over_with(hits, misses, modifiers);
    EXPECT_EQ(title_at_tick(*sim, 1), "SCORE " + std::to_string(hits + 1));
    EXPECT_EQ(title_at_tick(*sim, 3), rate);
  }
}

TEST(ResultCycleTest, TheWidestRateComesOfDoublesTypedWithAModifier) {
  auto sim = playing("A", 'A');  // typed its first "A", leaving one: D = 1
  for (int hit = 1; hit < 32767; ++hit) {
    sim->run_for(*sim->host().next_deadline() - sim->now());
    sim->key_down('Q', kShiftBit);  // "A", leaving another: D stays 1
    sim->key_up('Q');
  }
  sim->run_for(ms(3'000));  // ten more ticks, at 300 ms: game over
  EXPECT_EQ(counts(*sim), (Counts{32767, 0, 32766}));
  EXPECT_EQ(title_at_tick(*sim, 3), "Success 3276700%");
}

TEST(ResultCycleTest, NoRateFromADivisorOfZero) {
  // Start with "A", type a double with Shift+Q and wait: 1 hit, 1 modifier,
  // and the Shift key-down itself is a modifier and a miss. D = 1 - 2 + 1.
  SimPlatform sim({starts_with('A'), feeds('A'), feeds('B')});
  sim.press(vk::kSpace);
  sim.run_for(ms(1000));
  sim.key_down(vk::kShift, kShiftBit);
  sim.key_down('Q', kShiftBit);
  sim.run_for(ms(10'000));
  ASSERT_EQ(counts(sim), (Counts{1, 1, 2}));
  EXPECT_EQ(title_at_tick(sim, 3), "SCORE 1");
  EXPECT_EQ(title_at_tick(sim, 4), "Y-SPACE N-Esc");
}

TEST(ResultCycleTest, TheTickCountWrapsFrom200To100AndKeepsAlternating) {
  auto sim = game_over_with(0, 0);
  EXPECT_EQ(title_at_tick(*sim, 199), "NEXT GAME?");
  // Then 100 to 199 over and over, the question on odd ticks.
  for (int tick = 0; tick < 2'000; ++tick) {
    sim->run_for(ms(1500));
    ASSERT_EQ(sim->form().result_ticks, 100 + tick % 100);
    ASSERT_EQ(sim->title(), tick % 2 ? "NEXT GAME?" : "Y-SPACE N-Esc");
  }
}

TEST(ResultCycleTest, SpaceRestartsAtOnceAndTheCycleStartsOver) {
  for (int ticks : {0, 2, 5}) {
    auto sim = game_over_with(3, 0, kShiftBit);
    title_at_tick(*sim, ticks);
    sim->press(vk::kSpace);
    EXPECT_EQ(sim->title().size(), 1u);
    EXPECT_FALSE(sim->host().timer2().enabled());
    EXPECT_EQ(counts(*sim), (Counts{0, 0, 0}));
    EXPECT_EQ(sim->form().feed_ticks, 0);
    EXPECT_EQ(sim->host().timer1().interval(), 1000) << "the last game sped up to 950";
    sim->run_for(ms(10'000));
    EXPECT_EQ(title_at_tick(*sim, 1), "SCORE 0");
  }
}

}  // namespace
}  // namespace titletype
