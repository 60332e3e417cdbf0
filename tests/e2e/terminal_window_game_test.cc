// SPDX-License-Identifier: MIT
// The terminal game end to end in a terminal emulator's window on the tests'
// X server (TITLETYPE_TERMINAL: kitty or xterm): keys from the Japanese
// layout through the terminal's keyboard handling, the title read from the
// window, where the terminal puts the game's own.
#include <gtest/gtest.h>

#include "tests/e2e/window_game.h"

namespace titletype::e2e {

const std::string kTerminal = TITLETYPE_TERMINAL;
const std::string kGame = TITLETYPE_BINARY;
const std::string kScriptedGame = TITLETYPE_SCRIPTED_BINARY;

const bool WindowGameTest::kExactIcon = false;

void WindowGameTest::SetUpTestSuite() { x_ = new XSession; }
void WindowGameTest::TearDownTestSuite() { delete x_; }

/// Runs `game` with `args` in a new terminal window.
std::unique_ptr<Process> in_terminal(XSession& x, std::vector<std::string> args) {
  if (kTerminal == "kitty") {
    args.insert(args.begin(), {"--config=NONE", "-o", "confirm_os_window_close=0"});
    return x.start_game("kitty", args, {{"LIBGL_ALWAYS_SOFTWARE", "1"}});
  }
  args.insert(args.begin(), {"-xrm", "XTerm*allowTitleOps: true", "-e"});
  return x.start_game("xterm", args);
}

std::unique_ptr<Process> WindowGameTest::start(std::vector<std::string> args) {
  args.insert(args.begin(), {kGame, "--terminal"});
  return in_terminal(x(), args);
}

std::unique_ptr<Process> WindowGameTest::start_scripted(std::string_view chars) {
  std::vector<std::string> args = answers_for(chars);
  args.insert(args.begin(), {kScriptedGame, "--terminal"});
  return in_terminal(x(), args);
}

}  // namespace titletype::e2e
