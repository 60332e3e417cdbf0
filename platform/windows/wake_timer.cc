// SPDX-License-Identifier: MIT
#include "platform/windows/wake_timer.h"

#include <timeapi.h>

#include <stdexcept>
#include <string>

// Windows 10 1803 and later; older headers lack the name.
#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace titletype {

namespace {

HANDLE create_timer(DWORD flags) {
  return CreateWaitableTimerExW(nullptr, nullptr, flags, TIMER_ALL_ACCESS);
}

}  // namespace

WakeTimer::WakeTimer() : timer_(create_timer(CREATE_WAITABLE_TIMER_HIGH_RESOLUTION)) {
  if (!timer_) {
    // An older system: an ordinary timer, with the system's tick raised to
    // 1 ms for as long as the game runs.
    timer_ = create_timer(0);
    raised_system_resolution_ = timeBeginPeriod(1) == TIMERR_NOERROR;
  }
  if (!timer_) throw std::runtime_error("cannot create a waitable timer");
}

WakeTimer::~WakeTimer() {
  if (raised_system_resolution_) timeEndPeriod(1);
  CloseHandle(timer_);
}

void WakeTimer::wait_for_message_or(std::optional<Instant> deadline, const Clock& clock) {
  DWORD handles = 0;
  DWORD timeout_ms = INFINITE;
  if (deadline) {
    const auto left = *deadline - clock.now();
    if (left <= Instant::zero()) return;
    // A relative due time, in 100 ns units (negative), rounded up so that
    // the wake is never early: it follows the monotonic clock, where an
    // absolute one would follow the wall clock and its adjustments.
    LARGE_INTEGER due;
    due.QuadPart = -((left.count() + 99) / 100);
    if (SetWaitableTimer(timer_, &due, 0, nullptr, nullptr, FALSE)) {
      handles = 1;
    } else {
      timeout_ms = static_cast<DWORD>((left.count() + 999'999) / 1'000'000);
    }
  }
  // MWMO_INPUTAVAILABLE: also wake for messages that were already in the
  // queue but not yet read.
  // A wait that fails returns at once, every time: say so rather than spin.
  if (MsgWaitForMultipleObjectsEx(handles, &timer_, timeout_ms, QS_ALLINPUT, MWMO_INPUTAVAILABLE) ==
      WAIT_FAILED) {
    throw std::runtime_error("waiting for events failed (error " + std::to_string(GetLastError()) +
                             ")");
  }
}

}  // namespace titletype
