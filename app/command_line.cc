// SPDX-License-Identifier: MIT
#include "app/command_line.h"

#include <string_view>

namespace titletype {

CommandLine parse_command_line(std::span<const char* const> args) {
  CommandLine line;
  for (std::string_view arg : args) {
    const Backend wanted = arg == "--window"     ? Backend::kWindow
                           : arg == "--terminal" ? Backend::kTerminal
                                                 : Backend::kAuto;
    if (arg == "--help" || arg == "-h") {
      line.action = CommandLine::Action::kHelp;
      return line;
    } else if (arg == "--version") {
      line.action = CommandLine::Action::kVersion;
      return line;
    } else if (wanted != Backend::kAuto && line.backend == Backend::kAuto) {
      line.backend = wanted;
    } else if (wanted != Backend::kAuto) {
      line.action = CommandLine::Action::kUsageError;
      line.error = "choose one of --window and --terminal";
      return line;
    } else {
      line.action = CommandLine::Action::kUsageError;
      line.error = "unknown argument '" + std::string(arg) + "'";
      return line;
    }
  }
  return line;
}

std::string usage_text(Places places) {
  const std::string about =
      "A typing game played in a window's title.\n"
      "\n"
      "Space starts a game. Strike the key of the leftmost character to\n"
      "remove it, before the title grows past 10 characters. Keys are read\n"
      "as on a Japanese (JIS) keyboard. Esc quits.\n"
      "\n";
  if (places == Places::kWindowOnly) {
    return "Usage: titletype [--window]\n" + about +
           "  --window     play in a window (the only place this build plays)\n"
           "  --help       show this help\n"
           "  --version    show the version\n";
  }
  return "Usage: titletype [--window | --terminal]\n" + about +
         "  --window     play in a desktop window (needs DISPLAY)\n"
         "  --terminal   play in this terminal\n"
         "  --help       show this help\n"
         "  --version    show the version\n"
         "\n"
         "Without an option the game opens a window where a display is\n"
         "available, and plays in the terminal otherwise.\n";
}

}  // namespace titletype
