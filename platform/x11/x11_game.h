// SPDX-License-Identifier: MIT
// The game in an X11 desktop window.
#pragma once

#include <functional>

#include "game/form1.h"
#include "game/random_source.h"
#include "platform/host/form_host.h"
#include "platform/keys/key_model.h"
#include "platform/window/display_unavailable.h"

namespace titletype {

/// Opens the display named by DISPLAY and plays until Esc, the window's
/// close button or a signal, reading keys as `keys` says; returns the exit
/// status. Throws DisplayUnavailable if the display does not open, and
/// another exception if waiting for events fails. If the X server goes
/// away, says so on stderr and exits with status 1.
/// `at_end`, if given, sees the game as it was when it ended.
int run_x11_game(RandomSource& random, KeyModel keys,
                 const std::function<void(const Form1&)>& at_end = {},
                 HandlerObserver* observer = nullptr);

}  // namespace titletype
