// SPDX-License-Identifier: MIT
#include "platform/speech/narrator.h"

#include "game/texts.h"
#include "platform/speech/character_names.h"

namespace titletype {

namespace {

// From this length on the title's length is said: two more characters end
// the game.
constexpr std::size_t kNearTheEnd = kLongestTarget - 2;

/// Whether the key just judged was Shift, Ctrl or Alt itself: its own key-down
/// carries its modifier, so its code comes out as 16, 17 or 18 less 16.
bool is_modifier_key(int16_t key_code) { return key_code >= 0 && key_code <= 2; }

/// The number that follows `prefix` in `title`, as written there.
std::string_view number_after(std::string_view title, std::string_view prefix) {
  title.remove_prefix(prefix.size());
  return title.substr(0, title.find_first_not_of("0123456789"));
}

}  // namespace

std::string Narrator::target(std::string_view title) {
  std::string said(character_name(title.front()));
  if (title.size() >= kNearTheEnd) said += ", " + std::to_string(title.size());
  return said;
}

void Narrator::handled(Handler handler, const FormHost& host) {
  const std::string_view title = host.title();
  const bool playing = host.timer1().enabled();
  switch (handler) {
    case Handler::kLoad:
      voice_.say("hit space key", Delivery::kInterrupt);
      break;
    case Handler::kKeyDown:
      if (!playing) break;
      if (!playing_) {
        voice_.say("go, " + target(title), Delivery::kInterrupt);
      } else if (title == title_) {
        // Shift, Ctrl or Alt going down for the key to come: a miss to the
        // counts, but nothing to tell the player, nor to cut the name off.
        if (is_modifier_key(host.form().key_code)) break;
        voice_.say(title.empty() ? "miss" : "miss, " + target(title), Delivery::kInterrupt);
      } else {
        voice_.say(title.empty() ? "clear" : target(title), Delivery::kInterrupt);
      }
      break;
    case Handler::kKeyUp:
      break;
    case Handler::kTimer1:
      if (host.timer2().enabled()) {
        voice_.say("game over", Delivery::kInterrupt);
      } else if (title_.empty()) {
        voice_.say(target(title), Delivery::kInterrupt);
      } else if (title.size() >= kNearTheEnd) {
        voice_.say(std::to_string(title.size()), Delivery::kAfter);
      }
      break;
    case Handler::kTimer2:
      // Once each, however long the cycle goes on.
      switch (host.form().result_ticks) {
        case 1:
          voice_.say("score " + std::string(number_after(title, kScoreText)), Delivery::kInterrupt);
          break;
        case 3:
          if (title.starts_with(kRateText)) {
            voice_.say("success " + std::string(number_after(title, kRateText)) + " percent",
                       Delivery::kInterrupt);
          }
          break;
        case 4:
          voice_.say("next game? space. quit: escape", Delivery::kInterrupt);
          break;
      }
      break;
  }
  title_ = title;
  playing_ = playing;
}

}  // namespace titletype
