// SPDX-License-Identifier: MIT
// A game's life on the simulated platform: the prompt until Space, the
// feed faster every tenth tick, keys judged outside play, Esc at any time.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/sim_game.h"

namespace titletype {
namespace {

TEST(PlayTest, WaitsWithThePromptUntilSpace) {
  SimPlatform sim;
  EXPECT_EQ(sim.seeds(), 1);
  EXPECT_FALSE(sim.host().timer1().enabled());
  EXPECT_FALSE(sim.host().timer2().enabled());
  // Besides keys, -8 and 255 are codes that no key has.
  for (int key : {int{'A'}, int{'1'}, int{vk::kColon}, int{vk::kSlash}, int{vk::kShift},
                  int{vk::kEnter}, int{vk::kPageUp}, -8, 255}) {
    sim.press(static_cast<KeyCode>(key));
    sim.press(static_cast<KeyCode>(key), kShiftBit | kCtrlBit);
  }
  sim.run_for(ms(60'000));
  EXPECT_EQ(sim.timeline(), (std::vector<TitleAt>{{ms(0), "Hit Space Key!!!"}}));
  EXPECT_EQ(sim.seeds(), 1) << "seeded once, at load";
}

TEST(PlayTest, SpaceStartsWithOneCharacterFromAtToY) {
  const std::pair<double, const char*> cases[] = {
      {0.0, "@"}, {starts_with('A'), "A"}, {starts_with('M'), "M"}, {0.999999, "Y"}};
  for (const auto& [unit, title] : cases) {
    SimPlatform sim({unit});
    sim.run_for(ms(500));
    sim.press(vk::kSpace);
    EXPECT_EQ(sim.timeline().back(), (TitleAt{ms(500), title}));
    EXPECT_TRUE(sim.host().timer1().enabled());
    EXPECT_EQ(sim.host().timer1().interval(), 1000);
  }
}

TEST(PlayTest, TheStartingSpaceIsNotCountedInTheNewGame) {
  SimPlatform sim({starts_with('A')});
  sim.key_down('Q');
  sim.key_down(vk::kSpace, kShiftBit);
  EXPECT_EQ(counts(sim), (Counts{0, 0, 0}));
  EXPECT_FALSE(sim.form().shift_flag);
}

TEST(PlayTest, TheFeedSpeedsUpEveryTenthTickDownTo300Ms) {
  auto sim = playing("", 'A');  // "A" keeps coming; typing it keeps the game on
  for (int tick = 1; tick <= 400; ++tick) {
    const Instant gap = *sim->host().next_deadline() - sim->now();
    ASSERT_EQ(gap, ms(std::max(300, 1000 - 50 * ((tick - 1) / 10)))) << "before tick " << tick;
    sim->run_for(gap);
    sim->press('A');
  }
  EXPECT_EQ(sim->host().timer1().interval(), 300);
}

TEST(PlayTest, FeedTicksWrapFrom10000To9000InStepOverALongGame) {
  auto sim = playing("", 'A');
  for (int tick = 1; tick <= 50'000; ++tick) {
    sim->run_for(*sim->host().next_deadline() - sim->now());
    sim->press('A');
    // 1 to 9999, then 9000 to 9999 over and over.
    const int expected = tick < 10'000 ? tick : 9'000 + (tick - 10'000) % 1'000;
    ASSERT_EQ(sim->form().feed_ticks, expected) << "tick " << tick;
  }
  EXPECT_EQ(sim->host().timer1().interval(), 300);
  EXPECT_EQ(sim->form().hit_count, 32767) << "the score stops, never wraps";
}

TEST(PlayTest, EscEndsEveryPhaseAndNothingRunsAfter) {
  // Waiting, Playing, and Over before and after the first result tick.
  for (int64_t wait : {-1, 4'000, 10'500, 12'000}) {
    SimPlatform sim({starts_with('A')});
    if (wait >= 0) {
      sim.press(vk::kSpace);
      sim.run_for(ms(wait));
    }
    sim.key_down(vk::kEsc);
    const auto shown = sim.timeline();
    EXPECT_TRUE(sim.host().ended());
    sim.run_for(ms(20'000));
    sim.press(vk::kSpace);
    EXPECT_EQ(sim.timeline(), shown) << wait;
  }
}

}  // namespace
}  // namespace titletype
