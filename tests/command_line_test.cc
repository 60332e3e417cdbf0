// SPDX-License-Identifier: MIT
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/window_choice.h"
#include "tests/printers.h"

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

// The README's table of windows, and where each gives way.
TEST(WindowChoiceTest, TriesThePlacesTheEnvironmentOffersInTurn) {
  constexpr Place WA = Place::kWaylandAnyFrame, WC = Place::kWaylandCompositorsFrame,
                  X = Place::kX11, T = Place::kTerminal;
  const struct {
    Backend backend;
    Surroundings around;
    std::vector<Place> places;
  } cases[] = {
      {Backend::kAuto, {.wayland = true, .x_server = true, .terminal = true}, {WC, X, T}},
      {Backend::kAuto, {.wayland = true, .x_server = false, .terminal = true}, {WA, T}},
      {Backend::kAuto, {.wayland = false, .x_server = true, .terminal = false}, {X}},
      {Backend::kAuto, {.wayland = false, .x_server = false, .terminal = true}, {T}},
      {Backend::kAuto, {.wayland = true, .x_server = true, .wayland_built = false}, {X}},
      {Backend::kWindow, {.wayland = true, .x_server = true, .terminal = true}, {WC, X}},
      {Backend::kWindow, {.wayland = true, .x_server = false, .terminal = true}, {WA}},
      {Backend::kWayland, {.wayland = false, .x_server = true}, {WA}},
      {Backend::kX11, {.wayland = true, .x_server = false}, {X}},
      {Backend::kTerminal, {.wayland = true, .x_server = true, .terminal = true}, {T}},
      // Nowhere: each says why in its own words.
      {Backend::kAuto, {.terminal = false}, {}},
      {Backend::kWindow, {.terminal = true}, {}},
      {Backend::kTerminal, {.wayland = true, .x_server = true}, {}},
      {Backend::kWayland, {.wayland = true, .wayland_built = false}, {}},
  };
  std::vector<std::string> reasons;
  for (const auto& c : cases) {
    const PlacesToTry tried = places_to_try(c.backend, c.around);
    EXPECT_EQ(tried.places, c.places) << testing::PrintToString(c.backend);
    EXPECT_EQ(tried.nowhere.empty(), !c.places.empty());
    if (!tried.nowhere.empty()) reasons.push_back(tried.nowhere);
  }
  std::sort(reasons.begin(), reasons.end());
  EXPECT_EQ(std::unique(reasons.begin(), reasons.end()), reasons.end());
}

}  // namespace
}  // namespace titletype
