// SPDX-License-Identifier: MIT
#include "platform/host/deadline_timer.h"

namespace titletype {

void DeadlineTimer::set_enabled(bool on) {
  if (on && !enabled_) restart();
  enabled_ = on;
}

void DeadlineTimer::set_interval(int32_t ms) {
  interval_ms_ = ms;
  restart();
}

std::optional<Instant> DeadlineTimer::deadline() const {
  if (!enabled_ || interval_ms_ <= 0) return std::nullopt;
  return deadline_;
}

std::optional<Instant> DeadlineTimer::take_due(Instant now) {
  const std::optional<Instant> due = deadline();
  if (!due || *due > now) return std::nullopt;
  // Whole periods that passed unseen are dropped: one late tick, no burst.
  const auto missed = (now - deadline_) / period();
  deadline_ += (missed + 1) * period();
  return due;
}

}  // namespace titletype
