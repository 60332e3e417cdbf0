// SPDX-License-Identifier: MIT
// What the Windows message loop sleeps on between ticks: a waitable timer
// that wakes within about a millisecond of its deadline, not on the
// system's 15.6 ms tick.
#pragma once

#include <windows.h>

#include <optional>

#include "platform/host/clock.h"

namespace titletype {

class WakeTimer {
 public:
  WakeTimer();
  ~WakeTimer();
  WakeTimer(const WakeTimer&) = delete;
  WakeTimer& operator=(const WakeTimer&) = delete;

  /// Sleeps until a message arrives for this thread or `deadline` (by
  /// `clock`) passes; with no deadline, until a message arrives. Throws
  /// where waiting fails.
  void wait_for_message_or(std::optional<Instant> deadline, const Clock& clock);

 private:
  HANDLE timer_ = nullptr;
  bool raised_system_resolution_ = false;
};

}  // namespace titletype
