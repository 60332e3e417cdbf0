// SPDX-License-Identifier: MIT
// Form1's life: creation, load, the frame of the key-down handler and the
// start of a game.
#include "game/form1.h"

#include <cmath>

#include "game/texts.h"

namespace titletype {

namespace {
constexpr int32_t kFeedStartInterval = 1000;  // ms
constexpr int32_t kResultInterval = 1500;     // ms
}  // namespace

Form1::Form1(TitleWindow& window, Timer& timer1, Timer& timer2, RandomSource& random)
    : window_(window), Timer1(timer1), Timer2(timer2), random_(random) {
  Timer1.set_interval(kFeedStartInterval);
  Timer1.set_enabled(true);
  Timer2.set_interval(kResultInterval);
  Timer2.set_enabled(false);
}

void Form1::on_load() {
  shift_flag = false;
  no_match_flag = false;
  Timer1.set_enabled(false);
  Timer2.set_enabled(false);
  window_.set_title(kPromptText);
  random_.seed_from_clock();
}

void Form1::on_key_down(KeyCode key, ModifierMask modifiers) {
  judge_key_down(key, modifiers);
  // Space and Esc are tested as delivered, so a modifier does not stop them.
  if (key == vk::kSpace && !Timer1.enabled()) start_game();
  if (key == vk::kEsc) window_.close();
}

void Form1::start_game() {
  shift_flag = false;
  no_match_flag = false;
  // One of "@" and "A" to "Y": the first character is never "Z".
  const char first = static_cast<char>('@' + std::floor(random_.rand_unit() * 26));
  window_.set_title(std::string_view(&first, 1));
  Timer1.set_enabled(true);
  Timer2.set_enabled(false);
  Timer1.set_interval(kFeedStartInterval);
  feed_ticks = 0;
  result_ticks = 0;
  hit_count = 0;
  miss_count = 0;
  shift_count = 0;
}

}  // namespace titletype
