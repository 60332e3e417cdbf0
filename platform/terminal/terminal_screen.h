// SPDX-License-Identifier: MIT
// The terminal as the game's window: raw keyboard input, the alternate
// screen with the cursor hidden, and the title shown as a one-line title bar
// at the top and as the terminal's own window title.
//
// Everything is put back as it was when the object goes: the mode, the
// screen, the cursor and the title (where the terminal keeps a title stack),
// also when the program dies of a fatal signal.
#pragma once

#include <termios.h>

#include <string>
#include <string_view>

#include "platform/host/title_display.h"
#include "platform/keys/key_model.h"

namespace titletype {

class TerminalScreen final : public TitleDisplay {
 public:
  /// Takes the terminal; throws, having changed nothing, if `in_fd` is not
  /// one.
  TerminalScreen(int in_fd, int out_fd);
  ~TerminalScreen() override;
  TerminalScreen(const TerminalScreen&) = delete;
  TerminalScreen& operator=(const TerminalScreen&) = delete;

  void show_title(std::string_view title) override;
  /// Draws the title bar again, at the terminal's current width.
  void redraw();
  /// Asks a terminal that speaks the kitty keyboard protocol to report
  /// every key's press, repeat and release, with the text it types for
  /// `KeyModel::kTyped`; undone when the screen goes.
  void report_key_events(KeyModel keys);

 private:
  int in_fd_;
  int out_fd_;
  std::string title_;
};

/// The title bar line for a terminal `width` columns wide: the title in
/// reverse video across the whole width, control characters left out.
std::string title_bar(std::string_view title, int width);

}  // namespace titletype
