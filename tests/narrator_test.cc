// SPDX-License-Identifier: MIT
// What a player by ear hears of a whole game, word for word.
#include "platform/speech/narrator.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/speech/character_names.h"
#include "tests/sim_game.h"

namespace titletype {
namespace {

struct Said {
  std::string text;
  Delivery delivery;
  bool operator==(const Said&) const = default;
};
void PrintTo(const Said& said, std::ostream* out) {
  *out << '"' << said.text << (said.delivery == Delivery::kInterrupt ? "\", cutting in" : "\"");
}

struct RecordedVoice final : Voice {
  void say(std::string_view text, Delivery delivery) override {
    said.push_back({std::string(text), delivery});
  }
  std::vector<Said> said;
};

TEST(NarratorTest, AWholeGameIsHeardAsItIsSeenAndTheResultsOnce) {
  // "K", fed "K" and "B", then "Z" for ever.
  SimPlatform sim({starts_with('K'), feeds('K'), feeds('B'), feeds('Z')});
  RecordedVoice voice;
  Narrator narrator(voice);
  sim.host().set_observer(&narrator);
  const auto until = [&](auto done) {
    while (!done()) sim.run_for(ms(50));
  };
  sim.press('A');  // before a game: nothing to say
  sim.press(vk::kSpace);
  until([&] { return sim.title() == "KK"; });
  sim.press('K');                    // a hit that leaves another K
  sim.press('Q');                    // a miss
  sim.press(vk::kShift, kShiftBit);  // a miss too, but only a modifier's: not said
  sim.press(vk::kAlt, kAltBit);
  sim.press('K');                                  // clears the title
  until([&] { return sim.title().size() == 9; });  // "B" and eight Z's
  sim.press('B');                                  // leaves eight Z's
  // The results as they are shown, not later.
  for (const auto& shown : {std::pair{1, "score 3"}, {4, "next game? space. quit: escape"}}) {
    until([&] { return sim.form().result_ticks == shown.first; });
    EXPECT_EQ(voice.said.back().text, shown.second);
  }
  until([&] { return sim.form().result_ticks == 8; });
  constexpr Delivery I = Delivery::kInterrupt, A = Delivery::kAfter;
  EXPECT_EQ(voice.said, (std::vector<Said>{{"hit space key", I},
                                           {"go, kilo", I},
                                           {"kilo", I},
                                           {"miss, kilo", I},
                                           {"clear", I},
                                           {"bravo", I},
                                           {"8", A},
                                           {"9", A},
                                           {"zulu, 8", I},
                                           {"9", A},
                                           {"10", A},
                                           {"game over", I},
                                           {"score 3", I},
                                           {"success 50 percent", I},
                                           {"next game? space. quit: escape", I}}));
}

TEST(NarratorTest, EveryFeedCharacterHasANameOfItsOwn) {
  std::set<std::string_view> names;
  for (char c = '!'; c <= 'Z'; ++c) {
    EXPECT_FALSE(character_name(c).empty()) << c;
    names.insert(character_name(c));
  }
  EXPECT_EQ(names.size(), 58u);
  EXPECT_EQ(character_name('['), "");
}

}  // namespace
}  // namespace titletype
