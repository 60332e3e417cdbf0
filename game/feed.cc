// SPDX-License-Identifier: MIT
// The feed: while a game runs, Timer1 appends a random character at each tick
// and speeds up every tenth tick; past 10 characters the game is over.
#include <cmath>
#include <string>

#include "game/form1.h"
#include "game/texts.h"

namespace titletype {

namespace {
constexpr int16_t kSpeedUpEvery = 10;        // ticks
constexpr int32_t kIntervalFloor = 300;      // ms; no speed-up at or below it
constexpr int32_t kSpeedUpStep = 50;         // ms
constexpr int16_t kFeedTicksWrapAt = 10000;  // set back to 9000, a multiple
constexpr int16_t kFeedTicksWrapTo = 9000;   // of 10 like the wrap point
constexpr int kFirstFeedChar = '!';          // 33; the feed gives "!" to "Z"
constexpr int kFeedCharCount = 58;
}  // namespace

void Form1::on_timer1_tick() {
  ++feed_ticks;
  const int32_t interval = Timer1.interval();
  if (feed_ticks % kSpeedUpEvery == 0 && interval > kIntervalFloor) {
    Timer1.set_interval(interval - kSpeedUpStep);
  }
  std::string target(window_.title());
  target += static_cast<char>(kFirstFeedChar + std::floor(random_.rand_unit() * kFeedCharCount));
  window_.set_title(target);
  if (target.size() > kLongestTarget) g_over();
  if (feed_ticks == kFeedTicksWrapAt) feed_ticks = kFeedTicksWrapTo;
}

void Form1::g_over() {
  Timer1.set_enabled(false);
  Timer2.set_enabled(true);
}

}  // namespace titletype
