// The desktop game end to end: the real binary in its own X server with the
// Japanese layout, real key presses through XTest, titles read back from
// the server.
#include <gtest/gtest.h>
#include <signal.h>

#include "tests/e2e/x_session.h"
#include "tests/scripted_answers.h"

namespace titletype::e2e {
namespace {

const std::string kGame = TITLETYPE_BINARY;
const std::string kScriptedGame = TITLETYPE_SCRIPTED_BINARY;

/// The scripted game's arguments that start a game with `c` or feed `c`.
std::string starts_with(char c) { return std::to_string(titletype::starts_with(c)); }
std::string feeds(char c) { return std::to_string(titletype::feeds(c)); }

TEST(X11GameTest, OpensWithThePromptAndIconAndWaitsForSpace) {
  XSession x;
  auto game = x.start_game(kScriptedGame, {"--window", starts_with('K')});
  ASSERT_TRUE(x.find_window(*game));
  ASSERT_TRUE(x.wait_title("Hit Space Key!!!"));
  const auto icon = x.icon();
  ASSERT_EQ(icon.size(), 2u + 32 * 32);
  EXPECT_EQ(icon[0], 32u);
  EXPECT_EQ(icon[1], 32u);

  x.tap(kAKeycode);
  x.type('!');
  x.tap(kColonKeycode);
  x.tap(kSpaceKeycode);
  ASSERT_TRUE(x.wait_title("K"));
  EXPECT_EQ(x.seen_titles(), (std::vector<std::string>{"Hit Space Key!!!", "K"}));
  x.key_down(kLeftShiftKeycode);
  x.tap(kEscKeycode);
  EXPECT_EQ(game->wait(20s), 0);
}

TEST(X11GameTest, TypingTheJisKeysRemovesTheLeftmostCharacters) {
  XSession x;
  auto game = x.start_game(kScriptedGame, {"--window", starts_with('@'), feeds(':'), feeds('*'),
                                           feeds('+'), feeds('!'), feeds('"'), feeds('Q')});
  ASSERT_TRUE(x.find_window(*game));
  x.tap(kSpaceKeycode);
  ASSERT_TRUE(x.wait_title("@"));
  x.type('@');
  ASSERT_TRUE(x.wait_title(""));
  for (char c : std::string(":*+")) {
    ASSERT_TRUE(x.wait_title(std::string(1, c))) << c;
    x.type(c);
    ASSERT_TRUE(x.wait_title("")) << c;
  }
  ASSERT_TRUE(x.wait_title("!"));
  x.tap(kPageUpKeycode);  // Page Up is the code of "!"
  ASSERT_TRUE(x.wait_title(""));
  ASSERT_TRUE(x.wait_title("\""));
  x.type('"');
  ASSERT_TRUE(x.wait_title(""));
  x.tap(kEscKeycode);
  EXPECT_EQ(game->wait(20s), 0);
}

TEST(X11GameTest, PlaysARandomGameToTheEndOfTheResultCycle) {
  XSession x;
  auto game = x.start_game(kGame);
  ASSERT_TRUE(x.find_window(*game));
  ASSERT_TRUE(x.wait_title("Hit Space Key!!!"));
  x.tap(kSpaceKeycode);
  ASSERT_TRUE(x.wait_title([](const std::string& t) { return t.size() == 1; }));
  const char first = x.title()[0];
  EXPECT_TRUE(first >= '@' && first <= 'Y') << first;
  // Type whatever arrives, a few times over.
  for (int typed = 0; typed < 4; ++typed) {
    ASSERT_TRUE(x.wait_title([](const std::string& t) { return t.size() >= 2; }));
    const std::string before = x.title();
    x.type(before[0]);
    ASSERT_TRUE(x.wait_title([&](const std::string& t) { return t.size() < before.size(); }));
    EXPECT_EQ(x.title(), before.substr(1));
  }
  // Then no more keys: the string grows past 10 and the results follow.
  ASSERT_TRUE(x.wait_title([](const std::string& t) { return t.size() == 11; }, 30s));
  ASSERT_TRUE(x.wait_title("SCORE 4"));
  ASSERT_TRUE(x.wait_title("Y-SPACE N-Esc"));
  ASSERT_TRUE(x.wait_title("NEXT GAME?"));
  x.key_down(kLeftShiftKeycode);
  x.tap(kEscKeycode);
  EXPECT_EQ(game->wait(20s), 0);
}

TEST(X11GameTest, AFloodOfKeysIsJudgedToTheLastOne) {
  XSession x;
  auto game = x.start_game(kScriptedGame, {"--window", "--report", starts_with('A'), feeds('B')});
  ASSERT_TRUE(x.find_window(*game));
  x.tap(kSpaceKeycode);
  ASSERT_TRUE(x.wait_title("A"));
  // F1 stands for no character: every press is a miss, sent as fast as
  // the server takes them.
  constexpr int kF1Keycode = 67;
  for (int i = 0; i < 10'000; ++i) x.tap(kF1Keycode);
  ASSERT_TRUE(x.wait_title("ABBBBBBBBBB", 60s)) << "the feed kept going";
  ASSERT_TRUE(x.wait_title("SCORE 0"));
  x.tap(kEscKeycode);  // judged too: one more miss
  EXPECT_EQ(game->wait(20s), 0);
  EXPECT_EQ(game->stderr_text(), "hits 0 misses 10001 modifiers 0 feed_ticks 10\n");
}

TEST(X11GameTest, ClosingTheWindowEndsTheGame) {
  XSession x;
  auto game = x.start_game(kGame);
  ASSERT_TRUE(x.find_window(*game));
  x.close_window();
  EXPECT_EQ(game->wait(20s), 0);
}

TEST(X11GameTest, SigtermEndsTheGameCleanly) {
  XSession x;
  auto game = x.start_game(kGame);
  ASSERT_TRUE(x.find_window(*game));
  game->kill(SIGTERM);
  EXPECT_EQ(game->wait(20s), 128 + SIGTERM);
  EXPECT_EQ(game->stderr_text(), "");
}

TEST(X11GameTest, LosingTheServerEndsTheGameWithAMessage) {
  XSession x;
  auto game = x.start_game(kGame);
  ASSERT_TRUE(x.find_window(*game));
  x.tap(kSpaceKeycode);
  x.kill_server();
  EXPECT_EQ(game->wait(20s), 1);
  EXPECT_EQ(game->stderr_text(), "titletype: lost the connection to the X server\n");
}

TEST(X11GameTest, NoDisplayIsSaidPlainly) {
  for (const char* display : {"", ":987"}) {
    Process game({kGame, "--window"}, {{"DISPLAY", display}});
    EXPECT_EQ(game.wait(20s), 1);
    EXPECT_NE(game.stderr_text().find("titletype: "), std::string::npos) << game.stderr_text();
  }
}

}  // namespace
}  // namespace titletype::e2e
