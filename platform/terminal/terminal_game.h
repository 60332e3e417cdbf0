// SPDX-License-Identifier: MIT
// The game in a terminal, for machines with no display.
#pragma once

#include "platform/keys/key_model.h"
#include "platform/random_source.h"

namespace titletype {

/// Plays on standard input and output until Esc, Ctrl+C, SIGTERM, SIGHUP or
/// the terminal going away, and returns the exit status. A terminal that
/// reports keys gives them as `keys` says; others give characters.
/// REQUIRES: standard input and output are terminals.
int run_terminal_game(RandomSource& random, KeyModel keys);

}  // namespace titletype
