// SPDX-License-Identifier: MIT
#include "app/command_line.h"

#include <optional>
#include <string_view>
#include <utility>

namespace titletype {

namespace {

/// The backend that `arg` asks for, if it asks for one.
std::optional<Backend> backend_named(std::string_view arg) {
  if (arg == "--window") return Backend::kWindow;
  if (arg == "--window=wayland") return Backend::kWayland;
  if (arg == "--window=x11") return Backend::kX11;
  if (arg == "--terminal") return Backend::kTerminal;
  return std::nullopt;
}

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
    const std::optional<Backend> wanted = backend_named(arg);
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
    } else if (arg == "--speak") {
      line.speak = true;
    } else if (wanted && line.backend == Backend::kAuto) {
      line.backend = *wanted;
    } else if (wanted) {
      return refused("choose one of --window and --terminal");
    } else if (arg.starts_with("--window=")) {
      return refused("--window= takes 'wayland' or 'x11', not '" + std::string(arg.substr(9)) +
                     "'");
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
    return "Usage: titletype [--window] [--keys position|typed] [--speak]\n" + about +
           "  --window         play in a window (the only place this build plays)\n" + keys +
           "  --speak          also say the game aloud, through the system's speech\n"
           "  --help           show this help\n"
           "  --version        show the version\n";
  }
  return "Usage: titletype [--window[=wayland|x11] | --terminal] [--keys position|typed]\n"
         "                 [--speak]\n" +
         about +
         "  --window         play in a desktop window (needs WAYLAND_DISPLAY or DISPLAY)\n"
         "  --window=wayland play in a native Wayland window\n"
         "  --window=x11     play in an X11 window (on Wayland desktops through XWayland)\n"
         "  --terminal       play in this terminal\n" +
         keys +
         "  --speak          also say the game aloud, through speech-dispatcher: the\n"
         "                   character to strike, misses, how near the end is, the\n"
         "                   results\n"
         "  --help           show this help\n"
         "  --version        show the version\n"
         "\n"
         "Without an option the game opens a window where a display is\n"
         "available, and plays in the terminal otherwise. The window is a\n"
         "native Wayland one where the compositor draws window frames itself\n"
         "(KDE, sway and the other wlroots desktops) or where there is no X\n"
         "server; elsewhere (GNOME, weston) it is an X11 one, whose frame the\n"
         "desktop draws. A Wayland window shows the icon of the installed\n"
         "desktop entry: Wayland gives a window no icon of its own. A terminal\n"
         "that reports only characters plays by the characters typed either way.\n";
}

}  // namespace titletype
