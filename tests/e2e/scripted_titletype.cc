// SPDX-License-Identifier: MIT
// The game with a scripted random source, so that end-to-end tests know
// which characters will arrive. Usage: scripted_titletype --window|--terminal
// [--keys=typed] ANSWER...; each answer is one result of rand_unit in turn,
// the last repeated.
#include <cstdlib>
#include <string_view>
#include <vector>

#include "platform/sim/scripted_random.h"
#include "platform/terminal/terminal_game.h"
#include "platform/x11/x11_game.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const bool typed = argc > 2 && std::string_view(argv[2]) == "--keys=typed";
  const auto keys = typed ? titletype::KeyModel::kTyped : titletype::KeyModel::kPosition;
  std::vector<double> answers;
  for (int i = typed ? 3 : 2; i < argc; ++i) answers.push_back(std::strtod(argv[i], nullptr));
  titletype::ScriptedRandom random(answers);
  if (std::string_view(argv[1]) == "--terminal") return titletype::run_terminal_game(random, keys);
  return titletype::run_x11_game(random, keys).exit_status;
}
