// SPDX-License-Identifier: MIT
// The pseudo-random source behind the feed and the first character of a game.
#pragma once

namespace titletype {

class RandomSource {
 public:
  virtual ~RandomSource() = default;

  /// Seeds the generator from the clock; the game does this once, at load.
  virtual void seed_from_clock() = 0;

  /// A number in [0, 1).
  virtual double rand_unit() = 0;
};

}  // namespace titletype
