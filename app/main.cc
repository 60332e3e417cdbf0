// titletype: chooses where to play, plays, and returns the exit status.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <span>

#include "app/command_line.h"
#include "platform/posix/clock_random.h"
#include "platform/x11/x11_game.h"

namespace titletype {
namespace {

bool have_display() {
  const char* display = std::getenv("DISPLAY");
  return display && *display;
}

int play(Backend backend) {
  if (backend == Backend::kWindow || (backend == Backend::kAuto && have_display())) {
    ClockSeededRandom random;
    const WindowRun run = run_x11_game(random);
    if (run.outcome == WindowOutcome::kPlayed) return run.exit_status;
    const char* display = std::getenv("DISPLAY");
    std::fprintf(stderr, "titletype: cannot open the display '%s'\n", display ? display : "");
    return 1;
  }
  std::fputs("titletype: no display to open a window on (DISPLAY is not set)\n", stderr);
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
  return titletype::play(line.backend);
}
