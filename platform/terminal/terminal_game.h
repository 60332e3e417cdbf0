// SPDX-License-Identifier: MIT
// The game in a terminal, for machines with no display.
#pragma once

#include "game/random_source.h"
#include "platform/host/form_host.h"
#include "platform/keys/key_model.h"

namespace titletype {

/// Plays on standard input and output until Esc, Ctrl+C, SIGTERM, SIGHUP or
/// the terminal going away, and returns the exit status. A terminal that
/// reports keys gives them as `keys` says; others give characters. Throws
/// if standard input is no terminal or waiting for it fails.
int run_terminal_game(RandomSource& random, KeyModel keys, HandlerObserver* observer = nullptr);

}  // namespace titletype
