// SPDX-License-Identifier: MIT
#include "platform/sim/sim_platform.h"

#include <utility>

namespace titletype {

SimPlatform::SimPlatform(std::vector<double> rand_script)
    : random_(std::move(rand_script)), host_(clock_, random_, *this) {}

void SimPlatform::run_for(Instant duration) {
  const Instant end = clock_.at + duration;
  for (auto due = host_.next_deadline(); due && *due <= end && !host_.ended();
       due = host_.next_deadline()) {
    clock_.at = *due;
    host_.run_due_ticks();
  }
  clock_.at = end;
}

void SimPlatform::press(KeyCode key, ModifierMask modifiers) {
  key_down(key, modifiers);
  key_up(key, modifiers);
}

void SimPlatform::show_title(std::string_view title) {
  timeline_.push_back({clock_.at, std::string(title)});
}

}  // namespace titletype
