// SPDX-License-Identifier: MIT
// titletype: chooses where to play, plays, and returns the exit status.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <span>
#include <stdexcept>

#include "app/front.h"
#include "app/window_choice.h"
#include "platform/host/clock_random.h"
#include "platform/speech/narrator.h"
#include "platform/speechd/speech_dispatcher_voice.h"
#include "platform/terminal/terminal_game.h"
#include "platform/x11/x11_game.h"
#if TITLETYPE_WAYLAND
#include "platform/wayland/wayland_game.h"
#else
#define TITLETYPE_WAYLAND 0
#endif

namespace titletype {
namespace {

bool set(const char* variable) {
  const char* value = std::getenv(variable);
  return value && *value;
}

int play_in(Place place, RandomSource& random, KeyModel keys, HandlerObserver* narrator) {
  switch (place) {
#if TITLETYPE_WAYLAND
    case Place::kWaylandAnyFrame:
      return run_wayland_game(random, keys, WaylandFrame::kAny, {}, narrator);
    case Place::kWaylandCompositorsFrame:
      return run_wayland_game(random, keys, WaylandFrame::kCompositors, {}, narrator);
#else
    case Place::kWaylandAnyFrame:
    case Place::kWaylandCompositorsFrame:
      break;  // never chosen
#endif
    case Place::kX11:
      return run_x11_game(random, keys, {}, narrator);
    case Place::kTerminal:
      break;
  }
  return run_terminal_game(random, keys, narrator);
}

int play(const CommandLine& line) {
  const PlacesToTry tried =
      places_to_try(line.backend, {.wayland = set("WAYLAND_DISPLAY") || set("WAYLAND_SOCKET"),
                                   .x_server = set("DISPLAY"),
                                   .terminal = isatty(STDIN_FILENO) && isatty(STDOUT_FILENO),
                                   .wayland_built = TITLETYPE_WAYLAND != 0});
  if (tried.places.empty()) throw std::runtime_error(tried.nowhere);
  // The voice first: where it cannot be had, nothing else is started.
  std::unique_ptr<SpeechDispatcherVoice> voice;
  std::unique_ptr<Narrator> narrator;
  if (line.speak) {
    voice = std::make_unique<SpeechDispatcherVoice>();
    narrator = std::make_unique<Narrator>(*voice);
  }
  ClockSeededRandom random;
  for (std::size_t i = 0;; ++i) {
    try {
      return play_in(tried.places[i], random, line.keys, narrator.get());
    } catch (const DisplayUnavailable&) {
      // A window that cannot open (nothing of it shown) gives way to the next place.
      if (i + 1 == tried.places.size()) throw;
    }
  }
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
