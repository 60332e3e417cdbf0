// SPDX-License-Identifier: MIT
// The game in a native Windows window.
#pragma once

#include <windows.h>

#include <functional>

#include "game/form1.h"
#include "platform/random_source.h"

namespace titletype {

/// Opens the window and plays until Esc or the window is closed; returns
/// the exit status, 0. `at_end`, if given, sees the game as it ended.
int run_win32_game(HINSTANCE instance, RandomSource& random,
                   const std::function<void(const Form1&)>& at_end = {});

}  // namespace titletype
