// SPDX-License-Identifier: MIT
#include "platform/wayland/key_repeat.h"

#include <algorithm>

namespace titletype {

void KeyRepeat::set_pace(int32_t rate, int32_t delay_ms) {
  rate_ = std::max(rate, 0);
  delay_ms_ = std::max(delay_ms, 1);  // a timer of 0 ms never ticks: repeat at once
}

void KeyRepeat::press(uint32_t key, Instant at) {
  stop();
  if (rate_ == 0) return;
  key_ = key;
  period_ms_ = std::max(1000 / rate_, 1);
  clock_.at = at;
  timer_.set_interval(delay_ms_);
  timer_.set_enabled(true);
}

void KeyRepeat::release(uint32_t key) {
  if (key == key_) stop();
}

void KeyRepeat::stop() {
  timer_.set_enabled(false);
  repeating_ = false;
  key_ = 0;
}

std::optional<uint32_t> KeyRepeat::take_due(Instant now) {
  const auto due = timer_.take_due(now);
  if (!due) return std::nullopt;
  if (!repeating_) {  // after the delay, the rate's steps, from the first repeat on
    repeating_ = true;
    clock_.at = *due;
    timer_.set_interval(period_ms_);
    if (*timer_.deadline() <= now) timer_.take_due(now);  // late: skip, do not burst
  }
  return key_;
}

}  // namespace titletype
