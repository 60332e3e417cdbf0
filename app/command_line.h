// SPDX-License-Identifier: MIT
// The program's command line: which backend to play in and how to read the
// keys, or a question about the program itself. The game keeps no settings.
#pragma once

#include <span>
#include <string>

#include "platform/keys/key_model.h"

namespace titletype {

/// Where to play: kWindow is whichever desktop window suits the desktop,
/// kWayland and kX11 one of them by name.
enum class Backend { kAuto, kWindow, kWayland, kX11, kTerminal };

struct CommandLine {
  enum class Action { kPlay, kHelp, kVersion, kUsageError } action = Action::kPlay;
  Backend backend = Backend::kAuto;
  KeyModel keys = KeyModel::kPosition;
  bool speak = false;  // say the display aloud too
  std::string error;   // for kUsageError
};

CommandLine parse_command_line(std::span<const char* const> args);

/// Where a build of the program can play.
enum class Places { kWindowAndTerminal, kWindowOnly };

/// The text of --help.
std::string usage_text(Places places = Places::kWindowAndTerminal);

}  // namespace titletype
