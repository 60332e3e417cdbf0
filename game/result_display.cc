// SPDX-License-Identifier: MIT
// The result cycle of the Over phase: Timer2 shows the score, once the
// success rate, then alternates the question with its key legend until Space
// or Esc.
#include <algorithm>
#include <charconv>
#include <cmath>

#include "game/form1.h"
#include "game/texts.h"

namespace titletype {

namespace {

constexpr uint8_t kRateTick = 3;
constexpr uint8_t kTicksWrapAt = 200;  // set back to 100, which keeps the
constexpr uint8_t kTicksWrapTo = 100;  // odd and even ticks alternating

/// Writes `prefix`, `number` and `suffix` as the title; no allocation.
void show_number(TitleWindow& window, std::string_view prefix, long long number,
                 std::string_view suffix) {
  char text[48];
  char* end = std::copy(prefix.begin(), prefix.end(), text);
  end = std::to_chars(end, text + sizeof text - suffix.size(), number).ptr;
  end = std::copy(suffix.begin(), suffix.end(), end);
  window.set_title(std::string_view(text, static_cast<std::size_t>(end - text)));
}

}  // namespace

void Form1::on_timer2_tick() {
  ++result_ticks;
  show_number(window_, kScoreText, hit_count, "");
  if (hit_count != 0 && result_ticks == kRateTick) {
    // Formed in a wider type, so it cannot overflow. A game can end with a
    // divisor of 0 or less (every key-down with a modifier held); no rate
    // comes from it and the score stays up instead.
    const int divisor = miss_count - shift_count + hit_count;
    if (divisor > 0) {
      const double rate = std::floor(static_cast<double>(hit_count) / divisor * 100);
      show_number(window_, kRateText, static_cast<long long>(rate), kRateSuffix);
    }
  }
  if (result_ticks > kRateTick) {
    window_.set_title(result_ticks % 2 == 1 ? kQuestionText : kLegendText);
  }
  if (result_ticks == kTicksWrapAt) result_ticks = kTicksWrapTo;
}

}  // namespace titletype
