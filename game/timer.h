// SPDX-License-Identifier: MIT
// A periodic tick source owned by the window, delivered on the event-loop
// thread between handlers.
//
// Promises: enabling a disabled timer, or setting its interval, starts a new
// full period from the moment of the call (for a call made by a tick handler,
// the moment that tick was due). A tick that falls due while a handler runs is
// delivered after that handler. A late timer delivers one tick, never a burst
// of catch-up ticks. A timer whose interval is 0 or less does not tick.
#pragma once

#include <cstdint>

namespace titletype {

class Timer {
 public:
  virtual ~Timer() = default;

  virtual bool enabled() const = 0;
  /// Enabling an enabled timer changes nothing.
  virtual void set_enabled(bool on) = 0;

  /// The period in milliseconds.
  virtual int32_t interval() const = 0;
  virtual void set_interval(int32_t ms) = 0;
};

}  // namespace titletype
