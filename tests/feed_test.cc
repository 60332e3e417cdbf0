// SPDX-License-Identifier: MIT
// The feed: one random character per tick, faster every tenth tick, and the
// end of the game past 10 characters.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/sim_game.h"

namespace titletype {
namespace {

TEST(FeedTest, AGameWithNoKeysEndsOnTheTenthTick) {
  SimPlatform sim({starts_with('K'), feeds('!'), feeds('Z'), feeds('5')});
  sim.press(kSpaceKey);
  sim.run_for(ms(9'999));
  EXPECT_TRUE(sim.host().timer1().enabled());
  EXPECT_EQ(sim.title(), "K!Z5555555");
  sim.run_for(ms(1));
  EXPECT_EQ(sim.timeline().back(), (TitleAt{ms(10'000), "K!Z55555555"}));
  EXPECT_FALSE(sim.host().timer1().enabled());
  EXPECT_TRUE(sim.host().timer2().enabled());
  EXPECT_EQ(sim.timeline().size(), 12u);  // prompt, start, ten ticks
}

TEST(FeedTest, FeedsOnlyExclamationToZ) {
  for (auto [unit, c] : {std::pair{0.0, '!'}, {0.5, '>'}, {0.999999, 'Z'}}) {
    SimPlatform fresh({starts_with('A'), unit});
    fresh.press(kSpaceKey);
    fresh.run_for(ms(1000));
    EXPECT_EQ(fresh.title(), (std::string{'A', c}));
  }
}

TEST(FeedTest, TheGameEndsOnlyPastTenCharacters) {
  // Typing the first character away just before a tick keeps the title at
  // ten characters after it.
  auto sim = playing("BBBBBBBBB", 'B');
  for (int i = 0; i < 5; ++i) {
    sim->press('B');
    sim->run_for(ms(1000));
    EXPECT_EQ(sim->title(), "BBBBBBBBB");
  }
  sim->run_for(ms(1000));
  EXPECT_EQ(sim->title(), "BBBBBBBBBB");
  EXPECT_TRUE(sim->host().timer1().enabled());
  sim->run_for(ms(1000));
  EXPECT_FALSE(sim->host().timer1().enabled());
}

TEST(FeedTest, AnEmptyTitleJustReceivesTheNextCharacter) {
  auto sim = playing("B", 'Q');
  sim->press('B');
  EXPECT_EQ(sim->title(), "");
  sim->run_for(ms(1000));
  EXPECT_EQ(sim->title(), "Q");
  EXPECT_TRUE(sim->host().timer1().enabled());
}

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
