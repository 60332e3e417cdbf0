// SPDX-License-Identifier: MIT
#include "platform/host/clock_random.h"

#include <chrono>

namespace titletype {

void ClockSeededRandom::seed_from_clock() {
  const auto wall = std::chrono::system_clock::now().time_since_epoch();
  const auto mono = std::chrono::steady_clock::now().time_since_epoch();
  state_ = static_cast<uint64_t>(std::chrono::nanoseconds(wall).count()) ^
           (static_cast<uint64_t>(std::chrono::nanoseconds(mono).count()) << 17);
}

double ClockSeededRandom::rand_unit() {
  uint64_t z = (state_ += 0x9e3779b97f4a7c15u);
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
  z ^= z >> 31;
  // The top 53 bits fill a double's mantissa exactly: the result is < 1.
  return static_cast<double>(z >> 11) * 0x1.0p-53;
}

}  // namespace titletype
