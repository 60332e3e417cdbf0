// SPDX-License-Identifier: MIT
// The game with a scripted random source, so that end-to-end tests know
// which characters will arrive. Usage: scripted_titletype --window|--terminal
// [--report] ANSWER...; each answer is one result of rand_unit in turn, the
// last repeated. --report prints the counts on standard error at the end.
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "platform/scripted_random.h"
#include "platform/terminal/terminal_game.h"
#include "platform/x11/x11_game.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  int first_answer = 2;
  const bool report = argc > 2 && std::string_view(argv[2]) == "--report";
  if (report) ++first_answer;
  std::vector<double> answers;
  for (int i = first_answer; i < argc; ++i) answers.push_back(std::strtod(argv[i], nullptr));
  titletype::ScriptedRandom random(answers);
  if (std::string_view(argv[1]) == "--terminal") return titletype::run_terminal_game(random);
  return titletype::run_x11_game(
             random,
             [&](const titletype::Form1& form) {
               if (report) {
                 std::fprintf(stderr, "hits %d misses %d modifiers %d feed_ticks %d\n",
                              form.hit_count, form.miss_count, form.shift_count, form.feed_ticks);
               }
             })
      .exit_status;
}
