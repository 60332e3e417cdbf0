// SPDX-License-Identifier: MIT
// The browser page's game with a scripted random source, so that tests know
// which characters will arrive: the page passes the answers of its address
// (?answers=0.5,0.1) through the buffer before it starts the game.
#include <algorithm>
#include <vector>

#include "platform/sim/scripted_random.h"
#include "platform/web/web_game.h"

namespace {
double answers[64];
std::vector<double> script;
}  // namespace

TITLETYPE_WEB_EXPORT("tt_script_buffer") double* tt_script_buffer() { return answers; }
TITLETYPE_WEB_EXPORT("tt_script") void tt_script(int count) {
  script.assign(answers, answers + std::clamp(count, 0, 64));
}
TITLETYPE_WEB_EXPORT("tt_start") void tt_start() {
  static titletype::ScriptedRandom random(script);
  titletype::start_web_game(random);
}
