// SPDX-License-Identifier: MIT
// The Windows build end to end under Wine: the real .exe in its own X server
// and a fresh Wine prefix.

#include "tests/e2e/window_game.h"
#include "tests/harness/wine_prefix.h"

namespace titletype::e2e {

const std::string kGame = TITLETYPE_WINDOWS_BINARY;
const std::string kScriptedGame = TITLETYPE_WINDOWS_SCRIPTED_BINARY;

// One X server and one Wine prefix for the whole suite: a prefix takes
// seconds to set up, and keeps a desktop on the display it started on.
std::unique_ptr<WinePrefix> wine;

const bool WindowGameTest::kExactIcon = true;
const bool WindowGameTest::kKeypadByNumLock = false;

void WindowGameTest::SetUpTestSuite() {
  x_ = std::make_unique<XSession>();
  wine = std::make_unique<WinePrefix>(x_->display_name());
}

void WindowGameTest::TearDownTestSuite() {
  wine.reset();
  x_.reset();
}

std::unique_ptr<Process> WindowGameTest::launch(std::vector<std::string> args, bool scripted) {
  args.insert(args.begin(), scripted ? kScriptedGame : kGame);
  return x().start_game("wine", args, wine->environment());
}

// Wine gives each X key a scan code by the layout it finds, so by place is
// played in two; typed, its characters come from the X server's layout.
std::vector<LayoutPlay> layout_plays() {
  return {{"jp", kPosition}, {"us", kPosition}, {"us", kTyped}};
}

namespace {

TEST_F(WindowGameTest, AltF4ClosesTheWindow) {
  auto game = start();
  find(*game);
  x().key_down(kLeftAltKeycode);
  x().tap(kF4Keycode);
  x().key_up(kLeftAltKeycode);
  EXPECT_EQ(game->wait(20s), 0);
}

TEST_F(WindowGameTest, TheCommandLineAnswersWithoutAWindow) {
  EXPECT_EQ(start({"--version"})->wait(20s), 0);
  for (const char* wrong : {"--terminal", "--bogus"}) {
    const auto game = start({wrong});
    EXPECT_EQ(game->wait(20s), 2) << wrong;
    const std::string said = game->stderr_text();
    EXPECT_TRUE(said.starts_with("titletype: ") && said.find(wrong) != said.npos) << said;
  }
}

}  // namespace
}  // namespace titletype::e2e
