// The Windows build end to end under Wine: the real .exe in its own X server
// with the Japanese layout and a fresh Wine prefix, real key presses
// through XTest, titles read back from the server.
#include <gtest/gtest.h>

#include <memory>

#include "platform/xpm_image.h"
#include "tests/e2e/wine_prefix.h"
#include "tests/e2e/x_session.h"
#include "tests/scripted_answers.h"

namespace titletype::e2e {
namespace {

const std::string kGame = TITLETYPE_WINDOWS_BINARY;
const std::string kScriptedGame = TITLETYPE_WINDOWS_SCRIPTED_BINARY;

constexpr int kLeftAltKeycode = 64;
constexpr int kF4Keycode = 70;
constexpr int kF10Keycode = 76;

/// The scripted game's arguments that start a game with `c` or feed `c`.
std::string starts_with(char c) { return std::to_string(titletype::starts_with(c)); }
std::string feeds(char c) { return std::to_string(titletype::feeds(c)); }

/// The pixels of the square image of `size` in a _NET_WM_ICON property,
/// which may hold the icon at several sizes.
std::vector<uint32_t> icon_image(const std::vector<unsigned long>& property, unsigned long size) {
  for (std::size_t at = 0; at + 2 <= property.size();) {
    const unsigned long width = property[at], height = property[at + 1];
    const std::size_t begin = at + 2, end = begin + width * height;
    if (end > property.size()) break;
    if (width == size && height == size)
      return {property.begin() + long(begin), property.begin() + long(end)};
    at = end;
  }
  return {};
}

// One X server and one Wine prefix for the whole suite: a prefix takes
// seconds to set up, and Wine keeps a desktop process of its own on the
// display that it started on.
class WineGameTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    x_ = new XSession;
    wine_ = new WinePrefix(x_->display_name());
  }
  static void TearDownTestSuite() {
    delete wine_;
    delete x_;
  }

  std::unique_ptr<Process> start(const std::string& exe, std::vector<std::string> args = {}) {
    args.insert(args.begin(), exe);
    return x().start_game("wine", args, wine_->environment());
  }
  static XSession& x() { return *x_; }

 private:
  static inline XSession* x_ = nullptr;
  static inline WinePrefix* wine_ = nullptr;
};

TEST_F(WineGameTest, OpensWithThePromptAndIconAndWaitsForSpace) {
  auto game = start(kScriptedGame, {starts_with('K')});
  ASSERT_TRUE(x().find_window(*game, 60s));
  ASSERT_TRUE(x().wait_title("Hit Space Key!!!"));
  EXPECT_EQ(icon_image(x().icon(), 32), window_icon().pixels) << "the icon, pixel for pixel";

  x().tap(kAKeycode);
  x().type('!');
  x().tap(kColonKeycode);
  x().tap(kSpaceKeycode);
  ASSERT_TRUE(x().wait_title("K"));
  EXPECT_EQ(x().seen_titles(), (std::vector<std::string>{"Hit Space Key!!!", "K"}));
  x().key_down(kLeftShiftKeycode);
  x().tap(kEscKeycode);
  x().key_up(kLeftShiftKeycode);
  EXPECT_EQ(game->wait(20s), 0);
}

TEST_F(WineGameTest, TypingTheJisKeysRemovesTheLeftmostCharacters) {
  auto game = start(kScriptedGame, {starts_with('@'), feeds(':'), feeds('*'), feeds('+'),
                                    feeds('!'), feeds('Q'), feeds('W')});
  ASSERT_TRUE(x().find_window(*game, 60s));
  x().tap(kSpaceKeycode);
  ASSERT_TRUE(x().wait_title("@"));
  x().type('@');
  ASSERT_TRUE(x().wait_title(""));
  for (char c : std::string(":*+")) {
    ASSERT_TRUE(x().wait_title(std::string(1, c))) << c;
    x().type(c);
    ASSERT_TRUE(x().wait_title("")) << c;
  }
  ASSERT_TRUE(x().wait_title("!"));
  x().tap(kPageUpKeycode);  // Page Up is the code of "!"
  ASSERT_TRUE(x().wait_title(""));
  // Alt and F10 alone would put an ordinary window into menu mode, where
  // the next key only leaves it.
  for (char c : std::string("QW")) {
    ASSERT_TRUE(x().wait_title(std::string(1, c))) << c;
    x().tap(c == 'Q' ? kLeftAltKeycode : kF10Keycode);
    x().type(c);
    ASSERT_TRUE(x().wait_title("")) << c;
  }
  // Alt+F4 closes the window.
  x().key_down(kLeftAltKeycode);
  x().tap(kF4Keycode);
  x().key_up(kLeftAltKeycode);
  EXPECT_EQ(game->wait(20s), 0);
}

TEST_F(WineGameTest, AHeldKeyRepeatsAsKeyDowns) {
  auto game = start(kScriptedGame, {starts_with('A'), feeds('A')});
  ASSERT_TRUE(x().find_window(*game, 60s));
  x().tap(kSpaceKeycode);
  ASSERT_TRUE(x().wait_title("AAA"));
  x().key_down(kAKeycode);  // one key-down removes one "A"; the repeats the rest
  EXPECT_TRUE(x().wait_title("", 5s));
  x().key_up(kAKeycode);
  x().tap(kEscKeycode);
  EXPECT_EQ(game->wait(20s), 0);
}

TEST_F(WineGameTest, AGameWithNoKeysEndsAndTheResultCycleFollows) {
  auto game = start(kGame);
  ASSERT_TRUE(x().find_window(*game, 60s));
  ASSERT_TRUE(x().wait_title("Hit Space Key!!!"));
  x().tap(kSpaceKeycode);
  ASSERT_TRUE(x().wait_title([](const std::string& t) { return t.size() == 1; }));
  const char first = x().title()[0];
  EXPECT_TRUE(first >= '@' && first <= 'Y') << first;
  ASSERT_TRUE(x().wait_title([](const std::string& t) { return t.size() == 11; }, 30s));
  ASSERT_TRUE(x().wait_title("SCORE 0"));
  ASSERT_TRUE(x().wait_title("Y-SPACE N-Esc"));
  ASSERT_TRUE(x().wait_title("NEXT GAME?"));
  x().close_window();
  EXPECT_EQ(game->wait(20s), 0);
}

TEST_F(WineGameTest, TheCommandLineAnswersWithoutAWindow) {
  const auto version = start(kGame, {"--version"});
  EXPECT_EQ(version->wait(20s), 0);
  for (const char* wrong : {"--terminal", "--bogus"}) {
    const auto game = start(kGame, {wrong});
    EXPECT_EQ(game->wait(20s), 2) << wrong;
    const std::string said = game->stderr_text();
    EXPECT_EQ(said.rfind("titletype: ", 0), 0u) << said;
    EXPECT_NE(said.find(wrong), std::string::npos) << said;
  }
}

}  // namespace
}  // namespace titletype::e2e
