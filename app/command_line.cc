// SPDX-License-Identifier: MIT
#include "app/command_line.h"

#include <optional>
#include <string_view>
#include <utility>

namespace titletype {

namespace {

std::optional<KeyModel> key_model_named(std::string_view name) {
  if (name == "position") return KeyModel::kPosition;
  if (name == "typed") return KeyModel::kTyped;
  return std::nullopt;
}

CommandLine refused(std::string error) {
  CommandLine line;
  line.action = CommandLine::Action::kUsageError;
  line.error = std::move(error);
  return line;
}

}  // namespace

CommandLine parse_command_line(std::span<const char* const> args) {
  CommandLine line;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    const Backend wanted = arg == "--window"     ? Backend::kWindow
                           : arg == "--terminal" ? Backend::kTerminal
                                                 : Backend::kAuto;
    if (arg == "--help" || arg == "-h") {
      line.action = CommandLine::Action::kHelp;
      return line;
    } else if (arg == "--version") {
      line.action = CommandLine::Action::kVersion;
      return line;
    } else if (arg == "--keys" || arg.starts_with("--keys=")) {
      const bool joined = arg != "--keys";
      if (!joined && i + 1 == args.size()) return refused("--keys needs 'position' or 'typed'");
      const std::string_view value = joined ? arg.substr(7) : std::string_view(args[++i]);
      const auto keys = key_model_named(value);
      if (!keys) {
        return refused("--keys takes 'position' or 'typed', not '" + std::string(value) + "'");
      }
      line.keys = *keys;
    } else if (wanted != Backend::kAuto && line.backend == Backend::kAuto) {
      line.backend = wanted;
    } else if (wanted != Backend::kAuto) {
      return refused("choose one of --window and --terminal");
    } else {
      return refused("unknown argument '" + std::string(arg) + "'");
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
  const std::string keys =
      "  --keys position  read each key as the JIS key in the same place,\n"
      "                   whatever your layout (the default; exact)\n"
      "  --keys typed     read the character your layout types, as the JIS\n"
      "                   keys that type it; lone Shift, Ctrl and Alt presses\n"
      "                   and key releases are not counted, and a character\n"
      "                   your layout cannot type cannot be hit\n";
  if (places == Places::kWindowOnly) {
    return "Usage: titletype [--window] [--keys position|typed]\n" + about +
           "  --window         play in a window (the only place this build plays)\n" + keys +
           "  --help           show this help\n"
           "  --version        show the version\n";
  }
  return "Usage: titletype [--window | --terminal] [--keys position|typed]\n" + about +
         "  --window         play in a desktop window (needs DISPLAY)\n"
         "  --terminal       play in this terminal\n" +
         keys +
         "  --help           show this help\n"
         "  --version        show the version\n"
         "\n"
         "Without an option the game opens a window where a display is\n"
         "available, and plays in the terminal otherwise. A terminal that\n"
         "reports only characters plays by the characters typed either way.\n";
}

}  // namespace titletype
