// SPDX-License-Identifier: MIT
// The timer that every backend uses: it keeps an absolute deadline, so ticks
// do not drift however late each one is handled, and it skips the periods
// that a slow handler or a stalled loop let pass instead of bursting.
#pragma once

#include <optional>

#include "game/timer.h"
#include "platform/host/clock.h"

namespace titletype {

class DeadlineTimer final : public Timer {
 public:
  /// `clock` gives the moment from which a new period starts: the backend
  /// sets it to the time of the event being handled.
  explicit DeadlineTimer(const Clock& clock) : clock_(clock) {}

  bool enabled() const override { return enabled_; }
  void set_enabled(bool on) override;
  int32_t interval() const override { return interval_ms_; }
  void set_interval(int32_t ms) override;

  /// When the next tick falls due; nothing when the timer cannot tick.
  std::optional<Instant> deadline() const;

  /// If a tick is due at `now`, takes it: moves the deadline to the first
  /// period end after `now` and returns the time the tick fell due.
  std::optional<Instant> take_due(Instant now);

 private:
  Instant period() const { return std::chrono::milliseconds(interval_ms_); }
  void restart() { deadline_ = clock_.now() + period(); }

  const Clock& clock_;
  bool enabled_ = false;
  int32_t interval_ms_ = 0;
  Instant deadline_{};
};

}  // namespace titletype
