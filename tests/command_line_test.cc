// SPDX-License-Identifier: MIT
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace titletype {
namespace {

TEST(CommandLineTest, ChoosesABackendOrAnswersOrRefuses) {
  using Action = CommandLine::Action;
  const struct {
    std::vector<const char*> args;
    Action action;
    Backend backend;
  } cases[] = {
      {{}, Action::kPlay, Backend::kAuto},
      {{"--window"}, Action::kPlay, Backend::kWindow},
      {{"--terminal"}, Action::kPlay, Backend::kTerminal},
      {{"--help"}, Action::kHelp, Backend::kAuto},
      {{"--terminal", "--version"}, Action::kVersion, Backend::kTerminal},
      {{"--window", "--terminal"}, Action::kUsageError, Backend::kWindow},
      {{"--fast"}, Action::kUsageError, Backend::kAuto},
      {{""}, Action::kUsageError, Backend::kAuto},
  };
  for (const auto& c : cases) {
    const CommandLine line = parse_command_line(c.args);
    EXPECT_EQ(line.action, c.action) << testing::PrintToString(c.args);
    EXPECT_EQ(line.backend, c.backend) << testing::PrintToString(c.args);
    EXPECT_EQ(line.error.empty(), c.action != Action::kUsageError);
  }
}

}  // namespace
}  // namespace titletype
