// SPDX-License-Identifier: MIT
// The game in a native Windows window.
#pragma once

#include <windows.h>

#include "game/random_source.h"
#include "platform/host/form_host.h"
#include "platform/keys/key_model.h"

namespace titletype {

/// Opens the window and plays until Esc or the window is closed, reading
/// keys as `keys` says; returns the exit status, 0.
int run_win32_game(HINSTANCE instance, RandomSource& random, KeyModel keys,
                   HandlerObserver* observer = nullptr);

}  // namespace titletype
