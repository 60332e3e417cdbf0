// SPDX-License-Identifier: MIT
// The program's exit statuses, as its manual lists them.
#pragma once

namespace titletype::exit_status {

/// The game ended with Esc or by closing its window; or --help or
/// --version answered.
inline constexpr int kDone = 0;
/// A fault, said in one line: nowhere to play, or the display lost.
inline constexpr int kFault = 1;
/// A command line that the program does not take.
inline constexpr int kUsage = 2;
/// Ended by signal `signo`, as a shell reports it.
constexpr int by_signal(int signo) { return 128 + signo; }

}  // namespace titletype::exit_status
