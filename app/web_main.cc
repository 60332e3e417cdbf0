// SPDX-License-Identifier: MIT
// The entry point of the browser page: the game with the real random
// source, seeded from the clock.
#include "platform/host/clock_random.h"
#include "platform/web/web_game.h"

TITLETYPE_WEB_EXPORT("tt_start") void tt_start() {
  static titletype::ClockSeededRandom random;
  titletype::start_web_game(random);
}
