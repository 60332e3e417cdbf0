// SPDX-License-Identifier: MIT
// The game in a real window on a private X server, whichever backend makes
// it: the X11 build, the Windows build under Wine, the browser page or the
// terminal game in a terminal emulator. The plays that all must pass are in
// window_game_test.cc; each backend's test file says how its game starts
// and adds what only it does.
#pragma once

#include <gtest/gtest.h>

#include "platform/keys/key_model.h"
#include "tests/harness/x_session.h"

namespace titletype::e2e {

using enum KeyModel;

class WindowGameTest : public testing::Test {
 protected:
  // Defined by each backend.
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  /// Starts the real game with `args`.
  static std::unique_ptr<Process> start(std::vector<std::string> args = {}) {
    return launch(std::move(args), false);
  }
  /// Starts the game with a scripted random source: it starts with the first
  /// of `chars`, then the feed gives the others in turn, the last for ever.
  static std::unique_ptr<Process> start_scripted(std::string_view chars, KeyModel keys = kPosition);
  /// Defined by each backend: starts the real game or the scripted one
  /// with `args`, the options then the random answers.
  static std::unique_ptr<Process> launch(std::vector<std::string> args, bool scripted);

  static XSession& x() { return *x_; }
  /// Finds `game`'s window, gives it the keyboard and waits for the game's
  /// prompt; the titles seen before it (a page's address) are forgotten.
  static void find(const Process& game) {
    ASSERT_TRUE(x().find_window(game, 60s));
    ASSERT_TRUE(x().wait_title("Hit Space Key!!!"));
    x().click_to_play();
    x().forget_titles();
  }
  /// Presses Space until a game starts: a browser's page may take keys late.
  static void press_space() {
    for (int tries = 0; tries < 3; ++tries) {
      x().click_to_play();
      x().tap(kSpaceKeycode);
      if (x().wait_title([](const std::string& t) { return t != "Hit Space Key!!!"; }, 5s)) return;
    }
    FAIL() << "Space started no game";
  }
  /// Whether the window's icon is the game's own, pixel for pixel (a
  /// browser scales the page's icon to a size of its choosing).
  static const bool kExactIcon;
  /// Whether the keypad is played by place with the X server's Num Lock
  /// (the desktop windows; Windows and browsers have their own rules).
  static const bool kKeypadByNumLock;

  static inline std::unique_ptr<XSession> x_;
};

/// The installed game that TITLETYPE_GAME names, if it is set; else `built`.
inline std::string installed_or(const char* built) {
  const char* installed = std::getenv("TITLETYPE_GAME");
  return installed ? installed : built;
}

/// A keyboard layout of the tests' X server, and how the game reads keys.
struct LayoutPlay {
  const char* layout;
  KeyModel keys;
};
inline void PrintTo(const LayoutPlay& play, std::ostream* out) {
  *out << play.layout << (play.keys == kTyped ? ", typed" : ", by place");
}
/// The layouts and key models that a backend is played in.
std::vector<LayoutPlay> layout_plays();

}  // namespace titletype::e2e
