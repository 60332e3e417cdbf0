// SPDX-License-Identifier: MIT
// The feed: faster every tenth tick down to 300 ms, and its tick count over
// a game that never ends.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/sim_game.h"

namespace titletype {
namespace {

TEST(FeedTest, SpeedsUpEveryTenthTickDownTo300Ms) {
  auto sim = playing("", 'A');  // "A" keeps coming; typing it keeps the game on
  for (int tick = 1; tick <= 400; ++tick) {
    const Instant before = sim->now();
    const Instant gap = *sim->host().next_deadline() - before;
    const int expected = std::max(300, 1000 - 50 * ((tick - 1) / 10));
    ASSERT_EQ(gap, ms(expected)) << "before tick " << tick;
    sim->run_for(gap);
    sim->press('A');
  }
  EXPECT_EQ(sim->host().timer1().interval(), 300);
}

TEST(FeedTest, FeedTicksWrapFrom10000To9000InStepOverALongGame) {
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

}  // namespace
}  // namespace titletype
