// SPDX-License-Identifier: MIT
// Form1: the game's one window object. It owns the whole state of a run as
// plain members and reacts to the platform through its handlers, which the
// event loop calls one at a time, each to its end.
//
// The title text is the display and, during play, the target string itself:
// the feed appends to its right end and hits remove its first character. The
// phase is not stored; it follows from the timers: Waiting (neither on),
// Playing (Timer1 on), Over (Timer2 on).
#pragma once

#include <cstdint>
#include <string_view>

#include "game/random_source.h"
#include "game/timer.h"
#include "game/title_window.h"
#include "game/virtual_keys.h"

namespace titletype {

class Form1 {
 public:
  /// Applies the designer settings of the two timers: Timer1 1000 ms and
  /// enabled (on_load turns it off before it can tick), Timer2 1500 ms, off.
  Form1(TitleWindow& window, Timer& timer1, Timer& timer2, RandomSource& random);
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  /// Runs once, when the window is created and before it is shown.
  void on_load();
  /// Every key-down, auto-repeats included: judge it, then Space starts a
  /// game when none runs, then Esc ends the program.
  void on_key_down(KeyCode key, ModifierMask modifiers);
  /// Every key-up: a release forgets that a modifier was held.
  void on_key_up(KeyCode key, ModifierMask modifiers);
  /// Feed: one new character at the right end, faster every tenth tick.
  void on_timer1_tick();
  /// Result cycle: the score, once the success rate, then the question.
  void on_timer2_tick();

  // The members, readable by tools and tests; only the handlers write them.
  int16_t hit_count = 0;       // characters removed by correct keystrokes
  int16_t feed_ticks = 0;      // ticks of Timer1 in this game
  uint8_t result_ticks = 0;    // ticks of Timer2 since this game started
  int16_t miss_count = 0;      // keystrokes counted as misses
  int16_t key_code = 0;        // normalised code of the latest key-down
  int16_t shift_count = 0;     // key-downs with a modifier held during play
  bool shift_flag = false;     // modifier at the latest key-down, no key-up since
  bool no_match_flag = false;  // the latest key-down produced no hit

 private:
  void start_game();
  void g_over();

  void judge_key_down(KeyCode key, ModifierMask modifiers);
  void normalise_key(KeyCode key, ModifierMask modifiers);
  bool row_test(std::string_view first) const;
  bool general_test(std::string_view first) const;
  bool playing() const { return Timer1.enabled(); }

  TitleWindow& window_;
  Timer& Timer1;
  Timer& Timer2;
  RandomSource& random_;
};

}  // namespace titletype
