// SPDX-License-Identifier: MIT
// The program's front, which both entry points share: it reads the command
// line, answers --help and --version, refuses what this build cannot do,
// and plays. Every fault of the game reaches the player here and nowhere
// else: an exception thrown while playing becomes one line and status 1.
#pragma once

#include <span>
#include <string_view>

#include "app/command_line.h"

namespace titletype {

/// Shows `text` to the player: on standard output, or standard error for
/// an error (a Windows program may have neither and show a message box).
using Tell = void (*)(std::string_view text, bool is_error);
/// Plays as the command line says and returns the exit status.
using Play = int (*)(const CommandLine& line);

/// The exit status: 0 after --help or --version, 2 for a usage error,
/// 1 when `play` throws, otherwise what `play` returns.
int run_front(std::span<const char* const> args, Places places, Tell tell, Play play);

}  // namespace titletype
