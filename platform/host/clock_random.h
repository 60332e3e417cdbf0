// SPDX-License-Identifier: MIT
// The random source of the real backends: a small, fast generator
// (splitmix64) seeded from the wall clock, so every run plays differently.
#pragma once

#include <cstdint>

#include "game/random_source.h"

namespace titletype {

class ClockSeededRandom final : public RandomSource {
 public:
  void seed_from_clock() override;
  double rand_unit() override;

 private:
  uint64_t state_ = 0;
};

}  // namespace titletype
