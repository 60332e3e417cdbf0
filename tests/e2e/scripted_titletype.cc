// The desktop game with a scripted random source, so that end-to-end tests
// know which characters will arrive: each argument is one answer of
// rand_unit in turn, the last repeated.
#include <cstdlib>
#include <vector>

#include "platform/scripted_random.h"
#include "platform/x11/x11_game.h"

int main(int argc, char** argv) {
  std::vector<double> answers;
  for (int i = 1; i < argc; ++i) answers.push_back(std::strtod(argv[i], nullptr));
  titletype::ScriptedRandom random(answers);
  return titletype::run_x11_game(random).exit_status;
}
