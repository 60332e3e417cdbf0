// SPDX-License-Identifier: MIT
// The desktop game end to end: the real binary in its own X server.

#include "tests/e2e/window_game.h"

namespace titletype::e2e {

const std::string kGame = TITLETYPE_BINARY;
const std::string kScriptedGame = TITLETYPE_SCRIPTED_BINARY;

const bool WindowGameTest::kExactIcon = true;

void WindowGameTest::SetUpTestSuite() { x_ = std::make_unique<XSession>(); }
void WindowGameTest::TearDownTestSuite() { x_.reset(); }

std::unique_ptr<Process> WindowGameTest::start(std::vector<std::string> args) {
  return x().start_game(kGame, args);
}

std::unique_ptr<Process> WindowGameTest::start_scripted(std::string_view chars, KeyModel keys) {
  std::vector<std::string> args = answers_for(chars);
  if (keys == kTyped) args.insert(args.begin(), "--keys=typed");
  args.insert(args.begin(), "--window");
  return x().start_game(kScriptedGame, args);
}

std::vector<LayoutPlay> layout_plays() {
  return {{"jp", kPosition}, {"jp", kTyped}, {"us", kPosition}, {"us", kTyped},
          {"de", kPosition}, {"de", kTyped}, {"fr", kPosition}, {"fr", kTyped}};
}

namespace {

TEST(X11GameTest, LosingTheServerEndsTheGameWithAMessage) {
  XSession x;
  auto game = x.start_game(kGame);
  ASSERT_TRUE(x.find_window(*game));
  x.tap(kSpaceKeycode);
  x.kill_server();
  EXPECT_EQ(game->wait(20s), 1);
  EXPECT_EQ(game->stderr_text(), "titletype: lost the connection to the X server\n");
}

TEST(X11GameTest, AFloodOfKeysIsJudgedToTheLastOne) {
  // "A", then "B": 10,000 X's at once are as many misses, Esc one more.
  XSession x;
  auto game = x.start_game(kScriptedGame, {"--window", "--report", "0.05", "0.58"});
  ASSERT_TRUE(x.find_window(*game));
  ASSERT_TRUE(x.wait_title("Hit Space Key!!!"));
  x.tap(kSpaceKeycode);
  for (int i = 0; i < 10'000; ++i) x.tap(kXKeycode);
  x.tap(kEscKeycode);
  EXPECT_EQ(game->wait(60s), 0);
  EXPECT_EQ(game->stderr_text(), "hits 0, misses 10001, modifiers 0\n");
}

TEST(X11GameTest, ASignalEndsTheGameWithItsStatus) {
  XSession x;
  for (int signo : {SIGTERM, SIGINT, SIGHUP}) {
    auto game = x.start_game(kGame);
    ASSERT_TRUE(x.find_window(*game));
    game->kill(signo);
    EXPECT_EQ(game->wait(20s), 128 + signo) << signo;
  }
}

TEST(X11GameTest, WithNowhereToPlayItSaysSoInOneLine) {
  // Standard input is not a terminal, and no display opens.
  for (const auto& [option, display] :
       {std::pair{"", ""}, {"--terminal", ""}, {"--window", ""}, {"--window", ":987"}}) {
    Process game(*option ? std::vector<std::string>{kGame, option} : std::vector{kGame},
                 {{"DISPLAY", display}});
    EXPECT_EQ(game.wait(20s), 1);
    const std::string message = game.stderr_text();
    EXPECT_TRUE(message.starts_with("titletype: ") && message.find('\n') == message.size() - 1)
        << message;
  }
}

}  // namespace
}  // namespace titletype::e2e
