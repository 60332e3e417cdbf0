// SPDX-License-Identifier: MIT
// The game in a terminal, for machines with no display.
#pragma once

#include "platform/random_source.h"

namespace titletype {

/// Plays on standard input and output until Esc, Ctrl+C, SIGTERM, SIGHUP or
/// the terminal going away, and returns the exit status.
/// REQUIRES: standard input and output are terminals.
int run_terminal_game(RandomSource& random);

}  // namespace titletype
