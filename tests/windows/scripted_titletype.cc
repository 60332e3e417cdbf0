// SPDX-License-Identifier: MIT
// The Windows game with a scripted random source, so that end-to-end tests
// under Wine know which characters will arrive. Usage: scripted_titletype
// [--keys=typed] ANSWER...; each answer is one result of rand_unit in turn,
// the last repeated. A console program, so that a test sees what it writes.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string_view>
#include <vector>

#include "platform/sim/scripted_random.h"
#include "platform/windows/win32_game.h"

int main(int argc, char** argv) {
  const bool typed = argc > 1 && std::string_view(argv[1]) == "--keys=typed";
  const auto keys = typed ? titletype::KeyModel::kTyped : titletype::KeyModel::kPosition;
  std::vector<double> answers;
  for (int i = typed ? 2 : 1; i < argc; ++i) answers.push_back(std::strtod(argv[i], nullptr));
  titletype::ScriptedRandom random(answers);
  try {
    return titletype::run_win32_game(GetModuleHandleW(nullptr), random, keys);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "scripted_titletype: %s\n", error.what());
    return 1;
  }
}
