// SPDX-License-Identifier: MIT
#include "app/front.h"

#include <exception>
#include <string>

#include "platform/host/exit_status.h"

namespace titletype {

int run_front(std::span<const char* const> args, Places places, Tell tell, Play play) {
  CommandLine line = parse_command_line(args);
  const bool elsewhere = line.backend == Backend::kTerminal || line.backend == Backend::kWayland ||
                         line.backend == Backend::kX11;
  if (line.action == CommandLine::Action::kPlay && elsewhere && places == Places::kWindowOnly) {
    line.action = CommandLine::Action::kUsageError;
    line.error = "this build plays only in its own window, not with " +
                 std::string(line.backend == Backend::kTerminal ? "--terminal"
                             : line.backend == Backend::kX11    ? "--window=x11"
                                                                : "--window=wayland");
  }
  switch (line.action) {
    case CommandLine::Action::kHelp:
      tell(usage_text(places), false);
      return exit_status::kDone;
    case CommandLine::Action::kVersion:
      tell("titletype " TITLETYPE_VERSION "\n", false);
      return exit_status::kDone;
    case CommandLine::Action::kUsageError:
      tell("titletype: " + line.error + "\nTry 'titletype --help'.\n", true);
      return exit_status::kUsage;
    case CommandLine::Action::kPlay:
      break;
  }
  try {
    return play(line);
  } catch (const std::exception& error) {
    tell(std::string("titletype: ") + error.what() + "\n", true);
    return exit_status::kFault;
  }
}

}  // namespace titletype
