// SPDX-License-Identifier: MIT
// Helpers for driving whole games on the simulated platform.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "platform/sim/sim_platform.h"
#include "tests/printers.h"
#include "tests/scripted_answers.h"

namespace titletype {

inline Instant ms(int64_t n) { return std::chrono::milliseconds(n); }

struct Counts {
  int hit, miss, shift;
  bool operator==(const Counts&) const = default;
};
inline void PrintTo(const Counts& c, std::ostream* out) {
  *out << c.hit << " hits, " << c.miss << " misses, " << c.shift << " with a modifier";
}
inline Counts counts(const SimPlatform& sim) {
  const Form1& f = sim.form();
  return {f.hit_count, f.miss_count, f.shift_count};
}
inline Counts operator-(Counts a, Counts b) {
  return {a.hit - b.hit, a.miss - b.miss, a.shift - b.shift};
}

/// A running game whose title is `target` (at most 9 characters), just
/// after the tick that completed it. The feed then appends `then` for ever.
inline std::unique_ptr<SimPlatform> playing(std::string_view target, char then = 'Z') {
  // Start with "A", feed the target, then type the "A" away.
  std::vector<double> script{starts_with('A')};
  for (char c : target) script.push_back(feeds(c));
  script.push_back(feeds(then));
  auto sim = std::make_unique<SimPlatform>(script);
  sim->press(vk::kSpace);
  sim->run_for(ms(1000) * static_cast<int64_t>(target.size()));
  sim->press('A');
  return sim;
}

}  // namespace titletype
