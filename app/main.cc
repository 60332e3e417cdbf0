// SPDX-License-Identifier: MIT
// titletype: chooses where to play, plays, and returns the exit status.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <span>

#include "app/command_line.h"
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

int play(Backend backend, KeyModel keys) {
  ClockSeededRandom random;
  if (backend == Backend::kWindow || (backend == Backend::kAuto && have_display())) {
    const WindowRun run = run_x11_game(random, keys);
    if (run.outcome == WindowOutcome::kPlayed) return run.exit_status;
    if (backend == Backend::kWindow || !have_terminal()) {
      const char* display = std::getenv("DISPLAY");
      std::fprintf(stderr, "titletype: cannot open the display '%s'\n", display ? display : "");
      return 1;
    }
  }
  if (have_terminal()) return run_terminal_game(random, keys);
  if (backend == Backend::kTerminal) {
    std::fputs("titletype: --terminal needs a terminal on standard input and output\n", stderr);
  } else {
    std::fputs(
        "titletype: no display and no terminal to play in"
        " (DISPLAY is not set and standard input or output is not a terminal)\n",
        stderr);
  }
  return 1;
}

}  // namespace
}  // namespace titletype

int main(int argc, char** argv) {
  using titletype::CommandLine;
  const CommandLine line = titletype::parse_command_line(
      std::span<const char* const>(argv + 1, static_cast<std::size_t>(argc > 0 ? argc - 1 : 0)));
  switch (line.action) {
    case CommandLine::Action::kHelp:
      std::fputs(titletype::usage_text().c_str(), stdout);
      return 0;
    case CommandLine::Action::kVersion:
      std::puts("titletype " TITLETYPE_VERSION);
      return 0;
    case CommandLine::Action::kUsageError:
      std::fprintf(stderr, "titletype: %s\nTry 'titletype --help'.\n", line.error.c_str());
      return 2;
    case CommandLine::Action::kPlay:
      break;
  }
  try {
    return titletype::play(line.backend, line.keys);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "titletype: %s\n", error.what());
    return 1;
  }
}
