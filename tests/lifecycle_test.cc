// SPDX-License-Identifier: MIT
// The window's life: load, the start of a game on Space, the end on Esc.
#include <gtest/gtest.h>

#include "tests/sim_game.h"

namespace titletype {
namespace {

TEST(LifecycleTest, WaitsWithThePromptUntilSpace) {
  SimPlatform sim;
  EXPECT_EQ(sim.seeds(), 1);
  EXPECT_FALSE(sim.host().timer1().enabled());
  EXPECT_FALSE(sim.host().timer2().enabled());
  for (int key : {int{'A'}, int{'1'}, 186, 191, 16, 13, 33, -8, 255}) {
    sim.press(static_cast<KeyCode>(key));
    sim.press(static_cast<KeyCode>(key), kShiftBit | kCtrlBit);
  }
  sim.run_for(ms(60'000));
  EXPECT_EQ(sim.timeline(), (std::vector<TitleAt>{{ms(0), "Hit Space Key!!!"}}));
  EXPECT_EQ(sim.seeds(), 1) << "seeded once, at load";
}

TEST(LifecycleTest, SpaceStartsWithOneCharacterFromAtToY) {
  const std::pair<double, const char*> cases[] = {
      {0.0, "@"}, {starts_with('A'), "A"}, {starts_with('M'), "M"}, {0.999999, "Y"}};
  for (const auto& [unit, title] : cases) {
    SimPlatform sim({unit});
    sim.run_for(ms(500));
    sim.press(kSpaceKey);
    EXPECT_EQ(sim.timeline().back(), (TitleAt{ms(500), title}));
    EXPECT_TRUE(sim.host().timer1().enabled());
    EXPECT_EQ(sim.host().timer1().interval(), 1000);
  }
}

TEST(LifecycleTest, EscEndsEveryPhaseAndNothingRunsAfter) {
  // Waiting, Playing, and Over before and after the first result tick.
  for (int64_t wait : {-1, 4'000, 10'500, 12'000}) {
    SimPlatform sim({starts_with('A')});
    if (wait >= 0) {
      sim.press(kSpaceKey);
      sim.run_for(ms(wait));
    }
    sim.key_down(kEscKey);
    const auto shown = sim.timeline();
    EXPECT_TRUE(sim.host().ended());
    sim.run_for(ms(20'000));
    sim.press(kSpaceKey);
    EXPECT_EQ(sim.timeline(), shown) << wait;
  }
}

}  // namespace
}  // namespace titletype
