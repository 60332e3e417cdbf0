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
#if TITLETYPE_WAYLAND
#include "platform/wayland/wayland_game.h"
#endif

namespace titletype {
namespace {

bool set(const char* variable) {
  const char* value = std::getenv(variable);
  return value && *value;
}

bool have_terminal() { return isatty(STDIN_FILENO) && isatty(STDOUT_FILENO); }

/// The native Wayland window, where the compositor draws frames itself or
/// no X server is there to draw them (libdecor then draws one); the X11
/// window where a DISPLAY is there and the compositor would leave the frame
/// to the client. Throws DisplayUnavailable when neither opens.
int play_in_a_window(RandomSource& random, const CommandLine& line) {
#if TITLETYPE_WAYLAND
  if (line.backend == Backend::kWayland)
    return run_wayland_game(random, line.keys, WaylandFrame::kAny);
  const bool x_server = set("DISPLAY");
  if (line.backend != Backend::kX11 && set("WAYLAND_DISPLAY")) {
    try {
      return run_wayland_game(random, line.keys,
                              x_server ? WaylandFrame::kCompositors : WaylandFrame::kAny);
    } catch (const DisplayUnavailable&) {
      if (!x_server) throw;
    }
  }
#else
  if (line.backend == Backend::kWayland) {
    throw std::runtime_error("--window=wayland: this build has no Wayland window");
  }
#endif
  if (line.backend != Backend::kX11 && !set("DISPLAY")) {
    throw DisplayUnavailable(
        "no display to open a window on (neither WAYLAND_DISPLAY nor DISPLAY is set)");
  }
  return run_x11_game(random, line.keys);
}

int play(const CommandLine& line) {
  ClockSeededRandom random;
  const bool chosen = line.backend != Backend::kAuto && line.backend != Backend::kTerminal;
  if (chosen || (line.backend == Backend::kAuto && (set("DISPLAY") || set("WAYLAND_DISPLAY")))) {
    try {
      return play_in_a_window(random, line);
    } catch (const DisplayUnavailable&) {
      // Chosen for the player, the window gives way to the terminal.
      if (chosen || !have_terminal()) throw;
    }
  }
  if (have_terminal()) return run_terminal_game(random, line.keys);
  throw std::runtime_error(line.backend == Backend::kTerminal
                               ? "--terminal needs a terminal on standard input and output"
                               : "no display and no terminal to play in (neither WAYLAND_DISPLAY"
                                 " nor DISPLAY is set, and standard input or output is not a"
                                 " terminal)");
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
