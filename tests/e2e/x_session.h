// SPDX-License-Identifier: MIT
// A private X server for end-to-end tests (Xvfb with the Japanese layout)
// and a client that finds the game's window, reads its title as it changes
// and presses real keys through XTest, by keycode.
#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/process.h"

namespace titletype::e2e {

using namespace std::chrono_literals;

/// A property of `window`, if it is set: its bytes, or its items as longs
/// for 32-bit data (Xlib's way).
template <typename Item>
std::optional<std::vector<Item>> property(Display* display, ::Window window, const char* name,
                                          Atom type, long most_items = 1 << 16) {
  Atom actual_type = None;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  std::optional<std::vector<Item>> items;
  if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, most_items, False,
                         type, &actual_type, &format, &count, &after, &data) == Success &&
      actual_type != None) {
    items.emplace(reinterpret_cast<Item*>(data), reinterpret_cast<Item*>(data) + count);
  }
  if (data) XFree(data);
  return items;
}

class XSession {
 public:
  /// Starts Xvfb on a free display with a screen of `screen` (WxHxDepth)
  /// and loads the "jp" layout.
  explicit XSession(const std::string& screen = "640x480x24");
  ~XSession();

  const std::string& display_name() const { return display_name_; }
  /// Kills the server, as a crash would.
  void kill_server();

  /// Starts `binary` on this display with `args` and `env` added to the
  /// environment.
  std::unique_ptr<Process> start_game(const std::string& binary, std::vector<std::string> args = {},
                                      std::vector<std::pair<std::string, std::string>> env = {});
  /// Waits until `game` maps its window; focuses it and watches its title.
  bool find_window(const Process& game, std::chrono::milliseconds timeout = 20s);
  /// When the last window found was seen mapped.
  std::chrono::steady_clock::time_point mapped_at() const { return mapped_at_; }

  std::string title();
  /// Waits until the title satisfies `done`; every title seen on the way
  /// is kept in seen_titles().
  bool wait_title(const std::function<bool(const std::string&)>& done,
                  std::chrono::milliseconds timeout = 20s);
  bool wait_title(const std::string& text, std::chrono::milliseconds timeout = 20s) {
    return wait_title([&](const std::string& t) { return t == text; }, timeout);
  }
  const std::vector<std::string>& seen_titles() const { return seen_; }
  /// Forgets the titles seen before the one shown now.
  void forget_titles() { seen_.assign(1, title()); }

  /// The window's _NET_WM_ICON: width, height, then ARGB pixels.
  std::vector<unsigned long> icon();

  void key_down(int keycode);
  void key_up(int keycode);
  void tap(int keycode) { key_down(keycode), key_up(keycode); }
  /// Types `c` as on a JIS keyboard, with Shift where its key needs it.
  void type(char c);
  /// Asks the window to close, as a window manager's close button does.
  void close_window();

  Display* display() const { return display_; }
  ::Window window() const { return window_; }
  /// Makes `window` the one whose title is read and which has the focus.
  void use_window(::Window window);
  /// Plays inside `window`, a compositor's whose clients draw in it:
  /// find_window() takes it, and titles are read from `output`, the game's
  /// output as recorded by script(1), its input being in `output`.in.
  void play_inside(::Window window, std::string output);
  /// A mapped top-level window whose name starts with `name`, or 0.
  ::Window window_named(const std::string& name);

  /// The JIS key that types `c`, and whether it needs Shift.
  struct JisStroke {
    int keycode;
    bool shift;
  };
  static JisStroke stroke_for(char c);

 private:
  /// What the game played inside a compositor has written so far (or, with
  /// ".in", read).
  std::string read_output(const char* suffix = "") const;
  /// The _NET_WM_PID of `window`, or -1.
  long window_pid(::Window window);
  /// A mapped top-level window of process `pid`, or 0.
  ::Window viewable_window_of(long pid);

  std::unique_ptr<Process> server_;
  std::string display_name_;
  Display* display_ = nullptr;
  ::Window window_ = 0;
  std::chrono::steady_clock::time_point mapped_at_;
  std::vector<std::string> seen_;
  ::Window inside_ = 0;
  std::string output_;
};

/// X keycodes of some JIS keys (evdev numbering + 8).
inline constexpr int kEscKeycode = 9;
inline constexpr int kLeftShiftKeycode = 50;
inline constexpr int kSpaceKeycode = 65;
inline constexpr int kColonKeycode = 48;
inline constexpr int kPageUpKeycode = 112;
inline constexpr int kAKeycode = 38;

}  // namespace titletype::e2e
