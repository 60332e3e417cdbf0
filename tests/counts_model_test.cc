// SPDX-License-Identifier: MIT
// Random key streams against a small model of what each key-down does,
// written from the player's side: which character a key gives, and when a
// key-down counts as a hit, a miss or a modifier.
#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <optional>
#include <random>

#include "tests/sim_game.h"

namespace titletype {
namespace {

struct Model {
  bool shift_held = false;  // a modifier went down and no key came up since
  Counts counts{0, 0, 0};

  /// The title character a key-down stands for, if any.
  std::optional<char> character(int code, bool playing) const {
    static const std::map<std::pair<int, bool>, char> kPunctuation{
        {{186, false}, ':'}, {{187, false}, ';'}, {{172, true}, '<'},  {{173, true}, '='},
        {{174, true}, '>'},  {{175, true}, '?'},  {{192, false}, '@'}, {{170, true}, '*'},
        {{171, true}, '+'},  {{188, false}, ','}, {{189, false}, '-'}, {{190, false}, '.'},
        {{191, false}, '/'}};
    if (auto it = kPunctuation.find({code, shift_held}); it != kPunctuation.end()) {
      return it->second;
    }
    if (playing && code >= 33 && code <= 90) return static_cast<char>(code);
    return std::nullopt;
  }

  /// Returns the title after the key-down.
  std::string key_down(std::string title, int key, int modifiers, bool playing) {
    const int code = modifiers ? key - 16 : key;
    if (modifiers) shift_held = true;
    if (playing && modifiers) ++counts.shift;
    const auto c = character(code, playing);
    if (!c || title.empty() || title[0] != *c) {
      ++counts.miss;
      return title;
    }
    ++counts.hit;
    title.erase(0, 1);
    const bool double_letter = !title.empty() && title[0] == code;
    if (playing && !double_letter) ++counts.miss;
    return title;
  }
};

TEST(CountsModelTest, RandomKeyStreamsFollowTheModel) {
  const KeyCode keys[] = {'A', 'B', 'Q', '1', '2', '0', 16,  17,  18,  33,       37,
                          96,  186, 187, 188, 189, 190, 191, 192, 170, kSpaceKey};
  int total_hits = 0;
  for (unsigned seed = 1; seed <= 20; ++seed) {
    std::mt19937 rng(seed);
    std::vector<double> script;
    for (int i = 0; i < 64; ++i) script.push_back(std::uniform_real_distribution<>(0, 1)(rng));
    SimPlatform sim(script);
    Model model;
    for (int step = 0; step < 3000; ++step) {
      const int what = std::uniform_int_distribution<>(0, 9)(rng);
      if (what == 0) {
        sim.run_for(ms(std::uniform_int_distribution<>(0, 1200)(rng)));
      } else if (what == 1) {
        sim.key_up(keys[rng() % std::size(keys)]);
        model.shift_held = false;
      } else {
        KeyCode key = keys[rng() % std::size(keys)];
        // Often aim at the front character, so that hits and doubles happen.
        const char front = sim.title().empty() ? ' ' : sim.title()[0];
        if (rng() % 2 == 0 && std::isalnum(static_cast<unsigned char>(front))) key = front;
        const ModifierMask mods = (rng() % 3 == 0) ? rng() % 8 : 0;
        const bool playing = sim.host().timer1().enabled();
        const std::string expected = model.key_down(std::string(sim.title()), key, mods, playing);
        sim.key_down(key, mods);
        if (key == kSpaceKey && !playing) {
          model = Model{};  // a new game: fresh counts and a new title
        } else {
          ASSERT_EQ(sim.title(), expected) << "seed " << seed << " step " << step;
        }
      }
      ASSERT_EQ(counts(sim), model.counts) << "seed " << seed << " step " << step;
      total_hits += sim.form().hit_count > 0;
    }
  }
  EXPECT_GT(total_hits, 1000) << "the streams must exercise hits";
}

}  // namespace
}  // namespace titletype
