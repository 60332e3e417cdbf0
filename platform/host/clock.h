// SPDX-License-Identifier: MIT
// Monotonic time as the timers and event loops see it: real on the desktop
// and in the terminal, virtual in the simulated platform.
#pragma once

#include <chrono>

namespace titletype {

/// Time since an arbitrary, fixed origin.
using Instant = std::chrono::nanoseconds;

class Clock {
 public:
  virtual ~Clock() = default;
  virtual Instant now() const = 0;
};

}  // namespace titletype
