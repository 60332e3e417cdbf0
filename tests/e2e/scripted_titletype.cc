// SPDX-License-Identifier: MIT
// The game with a scripted random source, so that end-to-end tests know
// which characters will arrive. Usage: scripted_titletype
// --window|--window=wayland|--terminal [--keys=typed] [--report] ANSWER...; each answer is one
// result of rand_unit in turn, the last repeated. With --report, the window's game writes its
// counts to standard error as it ends.
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "platform/sim/scripted_random.h"
#include "platform/terminal/terminal_game.h"
#include "platform/x11/x11_game.h"
#if TITLETYPE_WAYLAND
#include "platform/wayland/wayland_game.h"
#endif

int main(int argc, char** argv) {
  using titletype::KeyModel;
  if (argc < 2) return 2;
  KeyModel keys = KeyModel::kPosition;
  bool report = false;
  std::vector<double> answers;
  for (int i = 2; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--keys=typed") keys = KeyModel::kTyped;
    report |= arg == "--report";
    if (!arg.starts_with("--")) answers.push_back(std::strtod(argv[i], nullptr));
  }
  titletype::ScriptedRandom random(answers);
  if (std::string_view(argv[1]) == "--terminal") return titletype::run_terminal_game(random, keys);
  std::function<void(const titletype::Form1&)> at_end;
  if (report) {
    at_end = [](const titletype::Form1& form) {
      std::fprintf(stderr, "hits %d, misses %d, modifiers %d\n", form.hit_count, form.miss_count,
                   form.shift_count);
    };
  }
#if TITLETYPE_WAYLAND
  if (std::string_view(argv[1]) == "--window=wayland") {
    return titletype::run_wayland_game(random, keys, titletype::WaylandFrame::kAny, at_end);
  }
#endif
  return titletype::run_x11_game(random, keys, at_end);
}
