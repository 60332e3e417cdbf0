// SPDX-License-Identifier: MIT
// Monotonic time as the timers and event loops see it: real on the desktop
// and in the terminal, virtual in the simulated platform.
#pragma once

#include <algorithm>
#include <chrono>
#include <optional>

namespace titletype {

/// Time since an arbitrary, fixed origin.
using Instant = std::chrono::nanoseconds;

class Clock {
 public:
  virtual ~Clock() = default;
  virtual Instant now() const = 0;
};

/// A clock that shows the time it is set to: an event's moment, or the
/// simulated platform's virtual time.
struct SetClock final : Clock {
  Instant now() const override { return at; }
  Instant at{};
};

/// The earlier of two deadlines; nothing only where neither is set.
inline std::optional<Instant> earliest(std::optional<Instant> a, std::optional<Instant> b) {
  if (a && b) return std::min(*a, *b);
  return a ? a : b;
}

}  // namespace titletype
