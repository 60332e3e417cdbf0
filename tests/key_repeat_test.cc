// SPDX-License-Identifier: MIT
#include "platform/wayland/key_repeat.h"

#include <gtest/gtest.h>

#include <vector>

namespace titletype {
namespace {

using std::chrono::milliseconds;

struct Press {
  int at_ms;
  uint32_t key;
  bool down;
};

/// The repeats (time, key) until `until_ms`, the loop waking at each
/// deadline, but not before `asleep_until_ms`.
std::vector<std::pair<int, uint32_t>> repeats(KeyRepeat& repeat, std::vector<Press> presses,
                                              int until_ms, int asleep_until_ms = 0) {
  std::vector<std::pair<int, uint32_t>> seen;
  std::size_t next = 0;
  for (int now = 0; now <= until_ms; ++now) {  // every millisecond: a wake when due
    for (; next < presses.size() && presses[next].at_ms == now; ++next) {
      const Press& p = presses[next];
      p.down ? repeat.press(p.key, milliseconds(now)) : repeat.release(p.key);
    }
    if (now < asleep_until_ms) continue;
    if (const auto key = repeat.take_due(milliseconds(now))) seen.emplace_back(now, *key);
  }
  return seen;
}

TEST(KeyRepeatTest, TheLastKeyHeldRepeatsAfterTheDelayAtTheRateWithoutBursts) {
  using Seen = std::vector<std::pair<int, uint32_t>>;
  KeyRepeat standard;  // 25 a second after 600 ms until told otherwise
  EXPECT_EQ(repeats(standard, {{0, 38, true}, {700, 38, false}}, 1000),
            (Seen{{600, 38}, {640, 38}, {680, 38}}));
  // Woken late, one repeat, then the rate's steps from the first one due.
  EXPECT_EQ(repeats(standard, {{0, 38, true}}, 800, 700),
            (Seen{{700, 38}, {720, 38}, {760, 38}, {800, 38}}));
  // A second key takes over; the first one's release changes nothing.
  EXPECT_EQ(
      repeats(standard, {{0, 38, true}, {300, 39, true}, {920, 38, false}, {950, 39, false}}, 1200),
      (Seen{{900, 39}, {940, 39}}));

  KeyRepeat fast;
  fast.set_pace(50, 0);  // at once, then every 20 ms
  EXPECT_EQ(repeats(fast, {{0, 38, true}, {30, 38, false}}, 100), (Seen{{1, 38}, {21, 38}}));
  KeyRepeat none;
  none.set_pace(0, 200);
  EXPECT_EQ(repeats(none, {{0, 38, true}}, 1000), Seen{});
  EXPECT_EQ(none.deadline(), std::nullopt);
}

}  // namespace
}  // namespace titletype
