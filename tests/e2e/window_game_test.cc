// SPDX-License-Identifier: MIT
// What every window backend must do, played with real key presses through
// XTest on the Japanese layout and read back from the X server.
#include "tests/e2e/window_game.h"

#include <algorithm>
#include <iostream>

#include "platform/window/xpm_image.h"
#include "tests/scripted_answers.h"

namespace titletype::e2e {

std::unique_ptr<Process> WindowGameTest::start_scripted(std::string_view chars, KeyModel keys) {
  std::vector<std::string> args{std::to_string(starts_with(chars[0]))};
  for (char c : chars.substr(1)) args.push_back(std::to_string(feeds(c)));
  if (keys == kTyped) args.insert(args.begin(), "--keys=typed");
  return launch(args, true);
}

namespace {

TEST_F(WindowGameTest, OpensWithThePromptAndIconAndWaitsForSpace) {
  auto game = start_scripted("K");
  find(*game);
  if (kExactIcon) {  // among the sizes the window offers, the icon at 32 x 32
    const auto property = e2e::property<unsigned long>(x().display(), x().window(), "_NET_WM_ICON");
    ASSERT_TRUE(property);
    const std::vector<uint32_t> offered(property->begin(), property->end());
    std::vector<uint32_t> icon{32, 32};
    icon.insert(icon.end(), window_icon().pixels.begin(), window_icon().pixels.end());
    EXPECT_NE(std::search(offered.begin(), offered.end(), icon.begin(), icon.end()), offered.end());
  }
  for (char c : std::string_view("A!:")) x().type(c);  // only the Space starts a game
  press_space();
  EXPECT_EQ(x().seen_titles(), (std::vector<std::string>{"Hit Space Key!!!", "K"}));
  x().play({kLeftShiftKeycode, kEscKeycode});  // Esc with Shift held still ends it
  EXPECT_EQ(game->wait(20s), 0);
}

TEST_F(WindowGameTest, AHeldKeyRepeatsAsKeyDowns) {
  auto game = start_scripted("AA");
  find(*game);
  press_space();
  ASSERT_TRUE(x().wait_title("AAA"));
  x().key_down(kAKeycode);  // one key-down removes one "A"; the repeats the rest
  EXPECT_TRUE(x().wait_title("", 5s));
  x().key_up(kAKeycode);
  x().play({kLeftShiftKeycode, kEscKeycode});
  EXPECT_EQ(game->wait(20s), 0);
}

TEST_F(WindowGameTest, PlaysARandomGameToTheEndOfTheResultCycle) {
  auto game = start();
  find(*game);
  press_space();
  ASSERT_TRUE(x().wait_title([](const std::string& t) { return t.size() == 1; }));
  const char first = x().title()[0];
  EXPECT_TRUE(first >= '@' && first <= 'Y') << first;
  // Type whatever arrives, a few times over; a busy machine may let a
  // character arrive before the key, but never undo the hit.
  for (int typed = 0; typed < 4; ++typed) {
    ASSERT_TRUE(x().wait_title([](const std::string& t) { return t.size() >= 2; }));
    const std::string before = x().title();
    x().type(before[0]);
    ASSERT_TRUE(x().wait_title([&](const std::string& t) { return !t.starts_with(before); }));
    EXPECT_TRUE(x().title().starts_with(before.substr(1))) << before << " " << x().title();
  }
  // Then no more keys: the string grows past 10 and the results follow.
  ASSERT_TRUE(x().wait_title([](const std::string& t) { return t.size() == 11; }, 30s));
  for (const char* title : {"SCORE 4", "Y-SPACE N-Esc", "NEXT GAME?"})
    ASSERT_TRUE(x().wait_title(title)) << title;
  x().close_window();
  EXPECT_EQ(game->wait(20s), 0);
}

TEST_F(WindowGameTest, TheKeypadGivesWhatNumLockSays) {
  if (!kKeypadByNumLock) GTEST_SKIP() << "the keypad follows this window's own rules";
  constexpr int kNumLockKeycode = 77, kKeypad4Keycode = 83, kKeypad5Keycode = 84;
  auto game = start_scripted("A%U");
  find(*game);
  press_space();
  ASSERT_TRUE(x().wait_title("A%"));
  x().tap(kAKeycode);
  x().tap(kKeypad4Keycode);  // Num Lock off: the keypad's 4 is Left, whose code is "%"
  const auto only_us = [](const std::string& t) { return t.find_first_not_of('U') == t.npos; };
  ASSERT_TRUE(x().wait_title(only_us));
  x().tap(kNumLockKeycode);  // on: Shift with the keypad's 5 (101 - 16) is "U"
  ASSERT_TRUE(x().wait_title([&](const std::string& t) { return !t.empty() && only_us(t); }));
  const std::size_t before = x().title().size();
  x().play({kLeftShiftKeycode, kKeypad5Keycode});
  EXPECT_TRUE(x().wait_title([&](const std::string& t) { return t.size() < before; }));
  x().tap(kNumLockKeycode);
  x().tap(kEscKeycode);
  EXPECT_EQ(game->wait(20s), 0);
}

class LayoutPlayTest : public WindowGameTest, public testing::WithParamInterface<LayoutPlay> {};

TEST_P(LayoutPlayTest, KeysHitTheirCharactersInEveryLayout) {
  const auto [layout, keys] = GetParam();
  const bool typed = keys == kTyped;
  x().set_layout(layout);
  // Characters that move between JIS, US, QWERTZ and AZERTY: by place the JIS
  // keys hit them; typed, the keys that type them here do (AltGr included).
  std::string chars, skipped;
  for (char c : std::string_view("@:*+=<AQZMYW\"(;>,-./!)?"))
    (typed && !chord_in_layout(x().display(), c) ? skipped : chars) += c;
  if (!skipped.empty()) std::cout << "skipped, not typed in " << layout << ": " << skipped << "\n";
  auto game = start_scripted(chars, keys);
  find(*game);
  press_space();
  // Each character is struck while it is the first, whatever has arrived
  // behind it on a busy machine.
  for (char c : chars) {
    ASSERT_TRUE(x().wait_title([c](const std::string& t) { return t.starts_with(c); })) << c;
    Chord chord = typed ? *chord_in_layout(x().display(), c) : chord_by_place(c);
    if (!typed) {
      // A lone Alt or F10 must not take the next key away (Windows' menu
      // mode); Page Up is "!"; Ctrl and Alt count as Shift: Ctrl+9 is ")".
      // (Chords that no browser keeps: GNOME Web keeps Alt with a digit.)
      if (c == 'Q' || c == 'W') x().tap(c == 'Q' ? kLeftAltKeycode : kF10Keycode);
      if (c == '!') chord = {kPageUpKeycode};
      if (c == ')' || c == '?')
        chord = {c == ')' ? kLeftCtrlKeycode : kLeftAltKeycode, chord.back()};
    }
    x().play(chord);
    ASSERT_TRUE(x().wait_title([c](const std::string& t) { return !t.starts_with(c); })) << c;
  }
  x().tap(kEscKeycode);
  EXPECT_EQ(game->wait(20s), 0);
}

INSTANTIATE_TEST_SUITE_P(Layouts, LayoutPlayTest, testing::ValuesIn(layout_plays()),
                         [](const testing::TestParamInfo<LayoutPlay>& play) {
                           return std::string(play.param.layout) +
                                  (play.param.keys == kTyped ? "_typed" : "_position");
                         });

}  // namespace
}  // namespace titletype::e2e
