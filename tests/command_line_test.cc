// SPDX-License-Identifier: MIT
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace titletype {
namespace {

TEST(CommandLineTest, ChoosesABackendOrAnswersOrRefuses) {
  using Action = CommandLine::Action;
  constexpr KeyModel P = KeyModel::kPosition, T = KeyModel::kTyped;
  const struct {
    std::vector<const char*> args;
    Action action;
    Backend backend;
    KeyModel keys;
  } cases[] = {
      {{}, Action::kPlay, Backend::kAuto, P},
      {{"--window"}, Action::kPlay, Backend::kWindow, P},
      {{"--keys", "typed", "--terminal"}, Action::kPlay, Backend::kTerminal, T},
      {{"--keys=typed", "--keys", "position"}, Action::kPlay, Backend::kAuto, P},
      {{"--help"}, Action::kHelp, Backend::kAuto, P},
      {{"--terminal", "--version"}, Action::kVersion, Backend::kTerminal, P},
      {{"--window", "--terminal"}, Action::kUsageError, Backend::kAuto, P},
      {{"--window=wayland"}, Action::kPlay, Backend::kWayland, P},
      {{"--keys=typed", "--window=x11"}, Action::kPlay, Backend::kX11, T},
      {{"--window=x11", "--window=wayland"}, Action::kUsageError, Backend::kAuto, P},
      {{"--window=mir"}, Action::kUsageError, Backend::kAuto, P},
      {{"--fast"}, Action::kUsageError, Backend::kAuto, P},
      {{""}, Action::kUsageError, Backend::kAuto, P},
      {{"--keys"}, Action::kUsageError, Backend::kAuto, P},
      {{"--keys", "Typed"}, Action::kUsageError, Backend::kAuto, P},
  };
  for (const auto& c : cases) {
    const CommandLine line = parse_command_line(c.args);
    EXPECT_EQ(line.action, c.action) << testing::PrintToString(c.args);
    EXPECT_EQ(line.backend, c.backend) << testing::PrintToString(c.args);
    EXPECT_EQ(line.keys, c.keys) << testing::PrintToString(c.args);
    EXPECT_EQ(line.error.empty(), c.action != Action::kUsageError);
  }
}

}  // namespace
}  // namespace titletype
