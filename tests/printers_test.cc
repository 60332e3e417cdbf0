// SPDX-License-Identifier: MIT
// What a failed comparison shows: each of the program's types by its name,
// every value of every kind.
#include "tests/printers.h"

#include <gtest/gtest.h>

#include "game/virtual_keys.h"
#include "tests/sim_game.h"

namespace titletype {
namespace {

using testing::PrintToString;
using Names = std::vector<std::string>;

/// The names of the first `count` values of `Enum`.
template <typename Enum>
Names names(int count) {
  Names out;
  for (int i = 0; i < count; ++i) out.push_back(PrintToString(static_cast<Enum>(i)));
  return out;
}

TEST(PrintersTest, EveryValueOfEveryTypeByItsName) {
  EXPECT_EQ(names<KeyModel>(2), (Names{"position", "typed"}));
  EXPECT_EQ(names<Backend>(5), (Names{"auto", "window", "wayland", "x11", "terminal"}));
  EXPECT_EQ(names<Place>(4), (Names{"Wayland framed by either", "Wayland framed by the compositor",
                                    "X11", "terminal"}));
  EXPECT_EQ(names<CommandLine::Action>(4), (Names{"play", "help", "version", "usage error"}));
  EXPECT_EQ(PrintToString(KeyStroke{'A', kShiftBit | kAltBit}), "tap 65+Shift+Alt");
  EXPECT_EQ(PrintToString(KeyStroke{vk::kEsc, kCtrlBit, KeyAction::kUp}), "up 27+Ctrl");
  EXPECT_EQ(PrintToString(KeyEventStep{KeyEventStep::Kind::kDown, 'Q', 0}), "down 81");
  EXPECT_EQ(PrintToString(KeyEvent{vk::kShift, kShiftBit}), "16+Shift");
  EXPECT_EQ(PrintToString(TypedKey{.text = U'@', .modifiers = kCtrlBit}),
            "{text U+40, own key none+Ctrl}");
  EXPECT_EQ(PrintToString(TitleAt{ms(1500), "SCORE 3"}), "\"SCORE 3\" at 1500 ms");
  EXPECT_EQ(PrintToString(PixelSize{312, 72}), "312 x 72");
  EXPECT_EQ(PrintToString(Counts{3, 2, 1}), "3 hits, 2 misses, 1 with a modifier");
}

}  // namespace
}  // namespace titletype
