// SPDX-License-Identifier: MIT
// The game in a native Wayland window.
#pragma once

#include <functional>

#include "game/form1.h"
#include "game/random_source.h"
#include "platform/host/form_host.h"
#include "platform/keys/key_model.h"
#include "platform/wayland/frame_choice.h"
#include "platform/window/display_unavailable.h"

namespace titletype {

/// Connects to the compositor named by WAYLAND_SOCKET or WAYLAND_DISPLAY and
/// plays until Esc, the window's close button or a signal, reading keys as
/// `keys` says; returns the exit status. Throws DisplayUnavailable if there
/// is no compositor, its library or a frame that `frame` allows, before
/// anything is shown, and another exception if the connection fails later.
/// `at_end`, if given, sees the game as it was when it ended.
int run_wayland_game(RandomSource& random, KeyModel keys, WaylandFrame frame,
                     const std::function<void(const Form1&)>& at_end = {},
                     HandlerObserver* observer = nullptr);

}  // namespace titletype
