// SPDX-License-Identifier: MIT
// A random source that gives set answers, for tests and tools that must know
// which characters the game will show.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "game/random_source.h"

namespace titletype {

class ScriptedRandom final : public RandomSource {
 public:
  /// Gives `answers` in turn, then the last one for ever after; each must be
  /// in [0, 1). An empty script answers 0.
  explicit ScriptedRandom(std::vector<double> answers)
      : answers_(answers.empty() ? std::vector<double>{0.0} : std::move(answers)) {}

  void seed_from_clock() override { ++seeds_; }
  double rand_unit() override {
    const double value = answers_[next_];
    if (next_ + 1 < answers_.size()) ++next_;
    return value;
  }

  int seeds() const { return seeds_; }

 private:
  std::vector<double> answers_;
  std::size_t next_ = 0;
  int seeds_ = 0;
};

}  // namespace titletype
