// The real clock of the desktop and terminal backends.
#pragma once

#include "platform/clock.h"

namespace titletype {

class SteadyClock final : public Clock {
 public:
  Instant now() const override {
    return std::chrono::duration_cast<Instant>(std::chrono::steady_clock::now().time_since_epoch());
  }
};

}  // namespace titletype
