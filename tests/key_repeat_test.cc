// SPDX-License-Identifier: MIT
#include "platform/wayland/key_repeat.h"

#include <gtest/gtest.h>

#include <vector>

namespace titletype {
namespace {

using Seen = std::vector<std::pair<int, uint32_t>>;
struct Press {
  int at_ms;
  uint32_t key;
  bool down;
};

/// The repeats (ms, key) to `until_ms` at `rate` a second after `delay_ms`
/// (25 after 600 ms, untold), the loop waking each ms from `awake_from_ms` on;
/// the compositor stops repeats at `no_repeat_from_ms`.
Seen repeats(std::vector<Press> presses, int rate, int delay_ms, int until_ms,
             int awake_from_ms = 0, int no_repeat_from_ms = -1) {
  KeyRepeat repeat;
  if (rate || delay_ms) repeat.set_pace(rate, delay_ms);
  Seen seen;
  for (int now = 0; now <= until_ms; ++now) {
    if (now == no_repeat_from_ms) repeat.set_pace(0, 600);
    for (const Press& p : presses)
      if (p.at_ms == now)
        p.down ? repeat.press(p.key, std::chrono::milliseconds(now)) : repeat.release(p.key);
    const auto key =
        now >= awake_from_ms ? repeat.take_due(std::chrono::milliseconds(now)) : std::nullopt;
    if (key) seen.emplace_back(now, *key);
  }
  return seen;
}

TEST(KeyRepeatTest, TheLastKeyHeldRepeatsAfterTheDelayAtTheRateWithoutBursts) {
  EXPECT_EQ(repeats({{0, 38, true}, {700, 38, false}}, 0, 0, 1000),
            (Seen{{600, 38}, {640, 38}, {680, 38}}));
  // Woken late: one repeat, then the rate's steps from the first one due.
  EXPECT_EQ(repeats({{0, 38, true}}, 0, 0, 800, 700),
            (Seen{{700, 38}, {720, 38}, {760, 38}, {800, 38}}));
  // A second key takes over; the first one's release changes nothing.
  EXPECT_EQ(
      repeats({{0, 38, true}, {300, 39, true}, {920, 38, false}, {950, 39, false}}, 0, 0, 1200),
      (Seen{{900, 39}, {940, 39}}));
  // At once, then every 20 ms; or none at all.
  EXPECT_EQ(repeats({{0, 38, true}, {30, 38, false}}, 50, 0, 100), (Seen{{1, 38}, {21, 38}}));
  EXPECT_EQ(repeats({{0, 38, true}}, -1, 200, 1000), Seen{});
  // A new pace, repeating none, told while a key is held: that key keeps
  // its own; the next press has none.
  EXPECT_EQ(repeats({{0, 38, true}, {700, 38, false}, {800, 39, true}}, 0, 0, 1500, 0, 100),
            (Seen{{600, 38}, {640, 38}, {680, 38}}));
}

}  // namespace
}  // namespace titletype
