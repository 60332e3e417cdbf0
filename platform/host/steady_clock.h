// SPDX-License-Identifier: MIT
// The real clock of every backend: std::chrono::steady_clock, which is
// CLOCK_MONOTONIC on Linux and the performance counter on Windows.
#pragma once

#include "platform/host/clock.h"

namespace titletype {

class SteadyClock final : public Clock {
 public:
  Instant now() const override {
    return std::chrono::duration_cast<Instant>(std::chrono::steady_clock::now().time_since_epoch());
  }
};

}  // namespace titletype
