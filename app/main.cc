// SPDX-License-Identifier: MIT
// titletype: chooses where to play, plays, and returns the exit status.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <span>
#include <stdexcept>

#include "app/front.h"
#include "platform/host/clock_random.h"
#include "platform/terminal/terminal_game.h"
#include "platform/x11/x11_game.h"

namespace titletype {
namespace {

bool have_display() {
  const char* display = std::getenv("DISPLAY");
  return display && *display;
}

bool have_terminal() { return isatty(STDIN_FILENO) && isatty(STDOUT_FILENO); }

int play(const CommandLine& line) {
  ClockSeededRandom random;
  if (line.backend == Backend::kWindow || (line.backend == Backend::kAuto && have_display())) {
    try {
      return run_x11_game(random, line.keys);
    } catch (const DisplayUnavailable&) {
      // Chosen for the player, the window gives way to the terminal.
      if (line.backend == Backend::kWindow || !have_terminal()) throw;
    }
  }
  if (have_terminal()) return run_terminal_game(random, line.keys);
  throw std::runtime_error(line.backend == Backend::kTerminal
                               ? "--terminal needs a terminal on standard input and output"
                               : "no display and no terminal to play in (DISPLAY is not set"
                                 " and standard input or output is not a terminal)");
}

void tell(std::string_view text, bool is_error) {
  std::fprintf(is_error ? stderr : stdout, "%.*s", static_cast<int>(text.size()), text.data());
}

}  // namespace
}  // namespace titletype

int main(int argc, char** argv) {
  const std::span<const char* const> args(argv + 1,
                                          static_cast<std::size_t>(argc > 0 ? argc - 1 : 0));
  return titletype::run_front(args, titletype::Places::kWindowAndTerminal, titletype::tell,
                              titletype::play);
}
