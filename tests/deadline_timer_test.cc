// SPDX-License-Identifier: MIT
#include "platform/host/deadline_timer.h"

#include <gtest/gtest.h>

#include "platform/host/form_host.h"
#include "platform/sim/scripted_random.h"
#include "tests/sim_game.h"

namespace titletype {
namespace {

TEST(DeadlineTimerTest, EnablingAndSettingTheIntervalStartAFullPeriod) {
  SetClock clock;
  DeadlineTimer timer(clock);
  timer.set_interval(1000);
  EXPECT_EQ(timer.deadline(), std::nullopt) << "disabled";
  clock.at = ms(200);
  timer.set_enabled(true);
  EXPECT_EQ(timer.deadline(), ms(1200));
  clock.at = ms(700);
  timer.set_enabled(true);  // already on: no restart
  EXPECT_EQ(timer.deadline(), ms(1200));
  timer.set_interval(1000);  // same value: still a new period
  EXPECT_EQ(timer.deadline(), ms(1700));
  timer.set_interval(1);
  EXPECT_EQ(timer.deadline(), ms(701));
  timer.set_interval(0);
  EXPECT_EQ(timer.deadline(), std::nullopt) << "an interval of 0 never ticks";
  DeadlineTimer unset(clock);
  unset.set_enabled(true);
  EXPECT_EQ(unset.deadline(), std::nullopt) << "nor does a timer with no interval yet";
}

/// A display that takes `delay` of the clock's time to show each title.
struct SlowDisplay final : TitleDisplay {
  explicit SlowDisplay(SetClock& on) : clock(on) {}
  void show_title(std::string_view) override { clock.at += delay; }
  SetClock& clock;
  Instant delay{};
};

TEST(DeadlineTimerTest, AHostThatWakesLateOrHandlesSlowlyRunsOneTickPerTimer) {
  SetClock clock;
  ScriptedRandom random({0.5});
  SlowDisplay display(clock);
  FormHost host(clock, random, display);
  clock.at = ms(100);
  host.key_down(vk::kSpace, 0);
  clock.at = ms(3'600);  // the loop stalled through three periods
  host.run_due_ticks();
  EXPECT_EQ(host.form().feed_ticks, 1);
  EXPECT_EQ(host.next_deadline(), ms(4'100));
  // Each tick's handler takes longer than a period: still one tick a call,
  // in play and in the result cycle.
  display.delay = ms(5'000);
  for (int call = 1; call <= 12; ++call) {
    const int feed = host.form().feed_ticks, result = host.form().result_ticks;
    clock.at = *host.next_deadline();
    host.run_due_ticks();
    EXPECT_EQ(host.form().feed_ticks - feed, call < 10 ? 1 : 0) << call;
    EXPECT_EQ(host.form().result_ticks - result, call < 9 ? 0 : 1) << call;
  }
}

}  // namespace
}  // namespace titletype
