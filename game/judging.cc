// SPDX-License-Identifier: MIT
// Judging a key-down: a hit removes the first character of the target string;
// hits, misses and key-downs with a modifier are counted for the result.
#include <string>

#include "game/form1.h"
#include "game/title_text.h"

namespace titletype {

void Form1::judge_key_down(KeyCode key, ModifierMask modifiers) {
  normalise_key(key, modifiers);
  if (playing() && modifiers != 0) count_one(shift_count);

  bool hit = row_test(first_char(window_.title()));
  if (!hit) {
    no_match_flag = true;
    hit = general_test(first_char(window_.title()));
  }
  if (hit) {
    const std::string rest(window_.title().substr(1));
    window_.set_title(rest);
    count_one(hit_count);
    no_match_flag = false;
  }

  // While playing, a hit counts a miss as well unless the character just
  // typed is at the front again (the target held it twice in a row).
  const std::string_view front = first_char(window_.title());
  if (no_match_flag || (playing() && !is_char_of_code(front, key_code))) {
    count_one(miss_count);
  }
}

}  // namespace titletype
