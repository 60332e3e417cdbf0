// SPDX-License-Identifier: MIT
// A held key's auto-repeat, which a Wayland client makes itself: the
// compositor sends one press and one release, and says at what pace keys
// repeat. The last key pressed repeats, after a delay, at a steady rate,
// on the deadline timer that the game's own timers use: a late wake gives
// one repeat, not a burst.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/host/clock.h"
#include "platform/host/deadline_timer.h"

namespace titletype {

class KeyRepeat {
 public:
  KeyRepeat() = default;
  KeyRepeat(const KeyRepeat&) = delete;  // its timer keeps its own clock
  KeyRepeat& operator=(const KeyRepeat&) = delete;

  /// `rate` repeats a second, the first `delay` ms after the press; a rate
  /// of 0 (or less) repeats nothing. Applies from the next press.
  void set_pace(int32_t rate, int32_t delay_ms);

  /// `key` went down at `at`: it repeats, in place of any other.
  void press(uint32_t key, Instant at);
  /// `key` went up: it stops repeating. Another key's release changes
  /// nothing.
  void release(uint32_t key);
  /// No key repeats (the window lost the keyboard).
  void stop();

  /// When the next repeat falls due; nothing while no key repeats.
  std::optional<Instant> deadline() const { return timer_.deadline(); }
  /// The key that repeats, if its repeat is due at `now`.
  std::optional<uint32_t> take_due(Instant now);

 private:
  int32_t rate_ = 25;  // until the compositor says otherwise: X's default pace
  int32_t delay_ms_ = 600;
  SetClock clock_;  // the timer's periods start from the moment it is told of
  DeadlineTimer timer_{clock_};
  uint32_t key_ = 0;
  int32_t period_ms_ = 0;  // the held key's, fixed at its press
  bool repeating_ = false;
};

}  // namespace titletype
