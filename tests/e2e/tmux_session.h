// SPDX-License-Identifier: MIT
// A terminal for end-to-end tests: a shell in a private tmux server, keys
// sent as a player types them, the screen read back.
#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace titletype::e2e {

class TmuxSession {
 public:
  /// Starts a shell in a 60 x 8 pane with no DISPLAY.
  TmuxSession();
  ~TmuxSession();
  TmuxSession(const TmuxSession&) = delete;
  TmuxSession& operator=(const TmuxSession&) = delete;

  /// Types `line` at the shell and presses Enter.
  void run(const std::string& line);
  /// Sends tmux key names ("Space", "Escape", "C-c") or, with `literal`,
  /// the characters themselves.
  void send(const std::string& keys, bool literal = false);

  std::string screen();
  /// The first line of the screen: the game's title bar.
  std::string top_line();
  /// The pane's title, as set by the program running in it.
  std::string pane_title();
  /// Waits until `done` holds for the screen, within `timeout`.
  bool wait_screen(const std::function<bool(const std::string&)>& done,
                   std::chrono::milliseconds timeout = std::chrono::seconds(20));
  bool wait_top_line(const std::string& text,
                     std::chrono::milliseconds timeout = std::chrono::seconds(20));

  /// A scratch directory that goes with the session.
  const std::string& dir() const { return dir_; }

 private:
  std::string tmux(const std::string& args);

  std::string socket_;
  std::string dir_;
};

}  // namespace titletype::e2e
