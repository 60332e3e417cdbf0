// SPDX-License-Identifier: MIT
// The game in a browser tab, built to WebAssembly. The page's small loader
// (titletype.js) forwards the tab's key events here by their physical key,
// calls in when its clock fires, and shows the titles it is handed; the
// rules, the deadlines and the key table are the same C++ as everywhere.
// Time is the browser's monotonic clock (performance.now), read through WASI.
#pragma once

#include "game/random_source.h"

#define TITLETYPE_WEB_EXPORT(name) extern "C" __attribute__((export_name(name)))

namespace titletype {

/// Creates the game and shows its first title; the entry point's tt_start
/// calls it once, with the random source of its choice.
void start_web_game(RandomSource& random);

}  // namespace titletype
