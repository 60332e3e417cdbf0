// SPDX-License-Identifier: MIT
// Where the program plays, from the command line and what the environment
// offers: the places to try in turn, each giving way to the next where it
// cannot open (its display, library or frame missing). A place the player
// named by an option gives way to nothing.
#pragma once

#include <string>
#include <vector>

#include "app/command_line.h"

namespace titletype {

enum class Place {
  kWaylandAnyFrame,          // the Wayland window, framed by the compositor or libdecor
  kWaylandCompositorsFrame,  // the Wayland window, where the compositor frames it
  kX11,
  kTerminal,
};

/// What the environment offers: a Wayland compositor (WAYLAND_DISPLAY or
/// WAYLAND_SOCKET), an X server (DISPLAY), a terminal on standard input and
/// output; and whether this build has the Wayland window.
struct Surroundings {
  bool wayland = false;
  bool x_server = false;
  bool terminal = false;
  bool wayland_built = true;
};

struct PlacesToTry {
  std::vector<Place> places;
  /// Why there is nowhere to play, where `places` is empty.
  std::string nowhere;
};

PlacesToTry places_to_try(Backend backend, const Surroundings& around);

}  // namespace titletype
