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

/// What is said, put together in place: the longest utterance is a few
/// words, and the page's module need not carry a growing string's code.
class Narrator::Words {
 public:
  Words& operator<<(std::string_view words) {
    const std::size_t n = words.copy(text_ + size_, sizeof text_ - size_);
    size_ += n;
    return *this;
  }
  Words& operator<<(std::size_t number) {  // up to two digits: a title's length
    if (number >= 10) *this << std::string_view(&"0123456789"[number / 10 % 10], 1);
    return *this << std::string_view(&"0123456789"[number % 10], 1);
  }
  std::string_view text() const { return {text_, size_}; }

 private:
  char text_[64] = {};
  std::size_t size_ = 0;
};

void Narrator::say_target(std::string_view prefix, std::string_view title) {
  Words words;
  words << prefix << character_name(title.front());
  if (title.size() >= kNearTheEnd) words << ", " << title.size();
  voice_.say(words.text(), Delivery::kInterrupt);
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
        say_target("go, ", title);
      } else if (title == title_) {
        // Shift, Ctrl or Alt going down for the key to come: a miss to the
        // counts, but nothing to tell the player, nor to cut the name off.
        if (is_modifier_key(host.form().key_code)) break;
        title.empty() ? voice_.say("miss", Delivery::kInterrupt) : say_target("miss, ", title);
      } else {
        title.empty() ? voice_.say("clear", Delivery::kInterrupt) : say_target("", title);
      }
      break;
    case Handler::kKeyUp:
      break;
    case Handler::kTimer1:
      if (host.timer2().enabled()) {
        voice_.say("game over", Delivery::kInterrupt);
      } else if (title_.empty()) {
        say_target("", title);
      } else if (title.size() >= kNearTheEnd) {
        voice_.say((Words() << title.size()).text(), Delivery::kAfter);
      }
      break;
    case Handler::kTimer2:
      // Once each, however long the cycle goes on.
      switch (host.form().result_ticks) {
        case 1:
          voice_.say((Words() << "score " << number_after(title, kScoreText)).text(),
                     Delivery::kInterrupt);
          break;
        case 3:
          if (title.starts_with(kRateText)) {
            voice_.say(
                (Words() << "success " << number_after(title, kRateText) << " percent").text(),
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
