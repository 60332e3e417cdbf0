// SPDX-License-Identifier: MIT
// The terminal's top line, where the game shows its title.
#include "platform/terminal/terminal_screen.h"

#include <gtest/gtest.h>

namespace titletype {
namespace {

TEST(TerminalScreenTest, TheTitleIsTheTopLineInReverseVideoAndTheTerminalsOwn) {
  EXPECT_EQ(title_bar("A\x01\x7f@", 6), "\x1b[H\x1b[7m A@   \x1b[0m\x1b]2;A@\a");
  EXPECT_EQ(title_bar("SCORE 7", 4), "\x1b[H\x1b[7m SCO\x1b[0m\x1b]2;SCORE 7\a");
  EXPECT_EQ(title_bar("", 2), "\x1b[H\x1b[7m  \x1b[0m\x1b]2; \a") << "shown empty, not named";
}

}  // namespace
}  // namespace titletype
