// SPDX-License-Identifier: MIT
// Fuzzes the game: arbitrary interleavings of key-downs (any 16-bit code,
// any modifier mask, auto-repeats), key-ups and ticks of either timer, in
// virtual time, with the game's invariants checked after every event.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sim/sim_platform.h"

namespace titletype {
namespace {

void require(bool holds, const char* what, const SimPlatform& sim) {
  if (holds) return;
  std::fprintf(stderr, "invariant broken: %s (title '%.*s')\n", what,
               static_cast<int>(sim.title().size()), sim.title().data());
  std::abort();
}

bool digits(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

/// A title of the result cycle.
bool result_text(std::string_view title) {
  if (title == "NEXT GAME?" || title == "Y-SPACE N-Esc") return true;
  if (title.starts_with("SCORE ")) return digits(title.substr(6));
  if (title.starts_with("Success ") && title.ends_with("%")) {
    return digits(title.substr(8, title.size() - 9));
  }
  return false;
}

class Checker {
 public:
  void check(const SimPlatform& sim) {
    if (sim.host().ended()) return;
    const Form1& form = sim.form();
    const bool playing = sim.host().timer1().enabled();
    const bool over = sim.host().timer2().enabled();
    const std::string_view title = sim.title();
    require(!(playing && over), "one phase at a time", sim);
    require(form.hit_count >= 0 && form.miss_count >= 0 && form.shift_count >= 0,
            "counts are never negative", sim);
    require(form.result_ticks <= 200, "result_ticks stays in 0 to 200", sim);
    require(form.feed_ticks >= 0 && form.feed_ticks < 10000, "feed_ticks stays below 10000", sim);
    const int interval = sim.host().timer1().interval();
    require(interval >= 300 && interval <= 1000, "the feed interval stays in 300 to 1000", sim);
    if (playing) {
      require(title.size() <= 10, "a running game keeps at most 10 characters", sim);
      for (char c : title) require(c >= 33 && c <= 90, "the target holds only ! to Z", sim);
    }
    if (over && !was_over_) last_target_ = title;  // the game just ended
    if (over) {
      require(result_text(title) || std::string_view(last_target_).ends_with(title),
              "the Over phase shows results or what is left of the target", sim);
    }
    if (!playing && !over) require(title == "Hit Space Key!!!", "Waiting shows the prompt", sim);
    was_over_ = over;
  }

 private:
  bool was_over_ = false;
  std::string last_target_;
};

}  // namespace
}  // namespace titletype

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace titletype;
  // The first bytes script the random source; the rest are events of 3 bytes.
  std::vector<double> script;
  for (std::size_t i = 0; i < 4 && i < size; ++i) script.push_back(data[i] / 256.0);
  const std::size_t events = size > 4 ? 4 : size;
  SimPlatform sim(script);
  Checker checker;
  checker.check(sim);
  KeyCode last_key = 0;
  for (std::size_t i = events; i + 3 <= size && !sim.host().ended(); i += 3) {
    const uint8_t op = data[i];
    const auto key = static_cast<KeyCode>(data[i + 1] | data[i + 2] << 8);
    const ModifierMask modifiers = (op >> 3) & 7;
    switch (op & 7) {
      case 0:
      case 1:
        sim.key_down(key, modifiers);
        last_key = key;
        break;
      case 2:
        sim.key_up(key, modifiers);
        break;
      case 3:  // auto-repeat of the last key
        for (int n = 0; n <= data[i + 1] % 8; ++n) sim.key_down(last_key, modifiers);
        break;
      case 4:  // a key that can matter: letters, digits, punctuation, Space
        // Space to "Z", or the punctuation keys from ":" to "@".
        sim.key_down(static_cast<KeyCode>(data[i + 1] % 2 ? vk::kSpace + data[i + 2] % 59
                                                          : vk::kColon + data[i + 2] % 7),
                     modifiers);
        break;
      case 5:
      case 6:  // until the next tick of whichever timer runs
        if (const auto due = sim.host().next_deadline()) sim.run_for(*due - sim.now());
        break;
      case 7:
        sim.run_for(std::chrono::milliseconds(data[i + 1] * 40 + data[i + 2]));
        break;
    }
    checker.check(sim);
  }
  return 0;
}
