// SPDX-License-Identifier: MIT
// A private X server for end-to-end tests (Xvfb with the Japanese layout)
// and a client that finds the game's window, reads its title as it changes
// and presses real keys through XTest, by keycode.
#pragma once

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <poll.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string_view>

#include "tests/harness/layout_keys.h"
#include "tests/harness/process.h"

namespace titletype::e2e {

/// A property of `window`, if it is set: its bytes, or its items as longs
/// for 32-bit data (Xlib's way).
template <typename Item>
std::optional<std::vector<Item>> property(Display* display, ::Window window, const char* name,
                                          Atom type = AnyPropertyType) {
  Atom actual_type = None;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  std::optional<std::vector<Item>> items;
  if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1 << 16, False,
                         type, &actual_type, &format, &count, &after, &data) == Success &&
      actual_type != None)
    items.emplace(reinterpret_cast<Item*>(data), reinterpret_cast<Item*>(data) + count);
  if (data) XFree(data);
  return items;
}

/// X keycodes of some JIS keys (evdev numbering + 8).
inline constexpr int kEscKeycode = 9, kLeftCtrlKeycode = 37, kLeftAltKeycode = 64,
                     kSpaceKeycode = 65, kAKeycode = 38, kPageUpKeycode = 112, kF4Keycode = 70,
                     kF10Keycode = 76, kReturnKeycode = 36, kXKeycode = 53;

class XSession {
 public:
  /// Starts Xvfb on a free display and loads the "jp" layout.
  XSession() {
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("pipe");
    fcntl(fds[0], F_SETFD, FD_CLOEXEC);
    server_ = std::make_unique<Process>(
        std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(fds[1]), "-noreset",
                                 "-nolisten", "tcp", "-screen", "0", "640x480x24"});
    close(fds[1]);
    // The display's number and a newline, once the server is up.
    std::string number;
    for (char c = 0; c != '\n';) {
      pollfd p{fds[0], POLLIN, 0};
      if (poll(&p, 1, 20'000) != 1 || read(fds[0], &c, 1) != 1) c = '\n', number.clear();
      if (c != '\n') number += c;
    }
    close(fds[0]);
    if (number.empty()) throw std::runtime_error("Xvfb did not start");
    display_name_ = ":" + number;
    set_layout("jp");
    // Windows come and go while the tests look at them (a terminal's first
    // windows, a closed game's): such an error is no reason to stop.
    static const XErrorHandler default_handler = XSetErrorHandler(nullptr);
    XSetErrorHandler([](Display* display, XErrorEvent* error) {
      return error->error_code == BadWindow ? 0 : default_handler(display, error);
    });
    if (!(display_ = XOpenDisplay(display_name_.c_str())))
      throw std::runtime_error("cannot open " + display_name_);
    XSelectInput(display_, DefaultRootWindow(display_), SubstructureNotifyMask);
  }
  ~XSession() {
    // Closing a connection to a dead server would end this process.
    if (display_ && !server_->wait(0ms)) XCloseDisplay(display_);
  }

  const std::string& display_name() const { return display_name_; }
  Display* display() const { return display_; }
  ::Window window() const { return window_; }
  /// Makes `window` the one whose title is read and which has the focus.
  void use_window(::Window window) {
    window_ = window;
    XSetInputFocus(display_, window_, RevertToPointerRoot, CurrentTime);
    XSync(display_, False);
  }
  /// Kills the server, as a crash would.
  void kill_server() { server_->kill(SIGKILL), server_->wait(10s); }

  /// Starts `binary` with `args` on this display, `env` added (an empty
  /// DISPLAY in it: on none).
  std::unique_ptr<Process> start_game(const std::string& binary, std::vector<std::string> args = {},
                                      Environment env = {}) {
    args.insert(args.begin(), binary);
    env.insert(env.begin(), {"DISPLAY", display_name_});
    return std::make_unique<Process>(args, env);
  }

  /// Waits until `game` maps its window; focuses it and watches its title.
  /// mapped_at() is when the window was seen mapped.
  bool find_window(const Process& game, std::chrono::milliseconds timeout = 20s) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    seen_.clear();
    for (window_ = inside_; !window_ && std::chrono::steady_clock::now() < end;) {
      for (XEvent event; !window_ && XPending(display_);) {
        XNextEvent(display_, &event);
        if (event.type != MapNotify) continue;
        mapped_at_ = std::chrono::steady_clock::now();
        if (pid_of(event.xmap.window) == game.pid()) window_ = event.xmap.window;
      }
      // Some clients (Wine) may name their process only after mapping.
      if (pollfd p{ConnectionNumber(display_), POLLIN, 0}; !window_ && poll(&p, 1, 100) == 0) {
        window_ = top_level([&](::Window w) { return pid_of(w) == game.pid(); });
        mapped_at_ = std::chrono::steady_clock::now();
      }
    }
    if (!window_) return false;
    XSelectInput(display_, window_, PropertyChangeMask);
    if (inside_ && !eventually(inside_game_.started, timeout)) return false;
    use_window(window_);
    return !inside_ || eventually([&] { return inside_game_.has_keys(*this); }, timeout, 200ms);
  }
  std::chrono::steady_clock::time_point mapped_at() const { return mapped_at_; }

  std::string title() {
    std::string shown;
    if (inside_) {
      shown = inside_game_.title();
    } else {  // _NET_WM_NAME where the window sets it, WM_NAME otherwise
      auto text = property<char>(display_, window_, "_NET_WM_NAME", utf8());
      if (!text) text = property<char>(display_, window_, "WM_NAME", XA_STRING);
      if (text) shown.assign(text->begin(), text->end());
    }
    // A browser's name follows the page's title, or stands alone for an empty one.
    const std::string tail = " \u2014 " + browser_;
    if (!browser_.empty() && shown.ends_with(tail)) shown.resize(shown.size() - tail.size());
    if (!browser_.empty() && shown == browser_) shown.clear();
    // An empty title shows as one zero-width space in a browser and as one
    // space in a terminal, so that neither shows an address or a name.
    return shown == "\u200b" || shown == " " ? "" : shown;
  }
  /// Waits until the title satisfies `done`; every title seen on the way
  /// is kept in seen_titles().
  bool wait_title(const std::function<bool(const std::string&)>& done,
                  std::chrono::milliseconds timeout = 20s) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
      const std::string now = title();
      if (seen_.empty() || seen_.back() != now) seen_.push_back(now);
      if (done(now)) return true;
      // Sleep until the window's properties change, or the time is up; a
      // title inside a compositor changes unannounced, so look again every
      // 10 ms.
      for (bool changed = false; !changed;) {
        for (XEvent event; XPending(display_);) {
          XNextEvent(display_, &event);
          changed |= event.type == PropertyNotify;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        if (changed) break;
        if (left <= 0ms) return false;
        pollfd p{ConnectionNumber(display_), POLLIN, 0};
        changed = poll(&p, 1, int((inside_ ? std::min(left, 10ms) : left).count())) == 0 && inside_;
      }
    }
  }
  bool wait_title(const std::string& text, std::chrono::milliseconds timeout = 20s) {
    return wait_title([&](const std::string& t) { return t == text; }, timeout);
  }
  const std::vector<std::string>& seen_titles() const { return seen_; }
  /// The window is a browser's, titled "page title — `name`" (or no name).
  void play_in_browser(std::string name) { in_browser_ = true, browser_ = std::move(name); }
  /// A browser's page has the keyboard once clicked, as its player knows.
  void click_to_play() {
    XWindowAttributes size;
    if (!in_browser_ || !XGetWindowAttributes(display_, window_, &size)) return;
    int x = 0, y = 0;  // low in the window, below any tabs and toolbars
    ::Window child = 0;
    XTranslateCoordinates(display_, window_, DefaultRootWindow(display_), size.width / 2,
                          size.height * 3 / 4, &x, &y, &child);
    XTestFakeMotionEvent(display_, -1, x, y, CurrentTime);
    for (Bool down : {True, False}) XTestFakeButtonEvent(display_, 1, down, CurrentTime);
    XSync(display_, False);
  }
  /// Forgets the titles seen before the one shown now.
  void forget_titles() { seen_.assign(1, title()); }

  void key_down(int keycode) { XTestFakeKeyEvent(display_, keycode, True, 0), XFlush(display_); }
  void key_up(int keycode) { XTestFakeKeyEvent(display_, keycode, False, 0), XFlush(display_); }
  void tap(int keycode) { key_down(keycode), key_up(keycode); }
  /// Presses `chord`: its keys down in order, then up in reverse.
  void play(const Chord& chord) {
    for (int key : chord) key_down(key);
    for (auto key = chord.rbegin(); key != chord.rend(); ++key) key_up(*key);
  }
  /// Types `c` in the server's layout, which is JIS unless a test chose
  /// another.
  void type(char c) {
    const auto chord = chord_in_layout(display_, c);
    if (!chord) throw std::invalid_argument(std::string("no key for ") + c);
    play(*chord);
  }
  /// Loads the keyboard layout `layout` ("jp", "us", "de", "fr").
  void set_layout(const std::string& layout) {
    if (Process({"setxkbmap", "-display", display_name_, layout}).wait(20s) != 0)
      throw std::runtime_error("setxkbmap " + layout + " failed");
    if (follow_layout_) follow_layout_(layout);
  }
  /// Has `follow` load each layout this server loads (a compositor that
  /// keeps a keymap of its own).
  void follow_layouts(std::function<void(const std::string&)> follow) {
    follow_layout_ = std::move(follow);
  }
  /// Asks the window to close, as a window manager's close button does.
  void close_window() {
    if (inside_) return inside_game_.close();
    XEvent event{};
    event.xclient = {ClientMessage, 0, False, display_, window_, atom("WM_PROTOCOLS"), 32, {}};
    event.xclient.data.l[0] = long(atom("WM_DELETE_WINDOW"));
    XSendEvent(display_, window_, False, NoEventMask, &event);
    XFlush(display_);
  }

  /// A game inside a compositor that runs as a window of this server and
  /// takes its keys from it: how to tell that it started and has the
  /// keyboard, read its title and close its window.
  struct InsideGame {
    std::function<bool()> started;
    std::function<bool(XSession&)> has_keys;
    std::function<std::string()> title;
    std::function<void()> close;
  };
  /// Plays inside `window`, the compositor's: find_window() takes it, and
  /// `game` says the rest.
  void play_inside(::Window window, InsideGame game) {
    inside_ = window;
    inside_game_ = std::move(game);
  }
  /// A mapped top-level window whose name starts with `name`, or 0.
  ::Window window_named(const std::string& name) {
    return top_level([&](::Window w) {
      const auto text = property<char>(display_, w, "_NET_WM_NAME", utf8());
      return text && std::string(text->begin(), text->end()).starts_with(name);
    });
  }

  /// The first viewable top-level window for which `take` holds, or 0.
  ::Window top_level(const std::function<bool(::Window)>& take) {
    ::Window root, parent, *children = nullptr, found = 0;
    unsigned count = 0;
    XWindowAttributes attributes;
    if (XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count))
      for (unsigned i = 0; i < count && !found; ++i)
        if (XGetWindowAttributes(display_, children[i], &attributes) &&
            attributes.map_state == IsViewable && take(children[i]))
          found = children[i];
    if (children) XFree(children);
    return found;
  }

 private:
  Atom atom(const char* name) { return XInternAtom(display_, name, False); }
  Atom utf8() { return atom("UTF8_STRING"); }
  long pid_of(::Window window) {
    const auto pid = property<long>(display_, window, "_NET_WM_PID", XA_CARDINAL);
    return pid && pid->size() == 1 ? pid->front() : -1;
  }
  std::unique_ptr<Process> server_;
  std::string display_name_;
  Display* display_ = nullptr;
  ::Window window_ = 0, inside_ = 0;
  std::chrono::steady_clock::time_point mapped_at_;
  std::vector<std::string> seen_;
  InsideGame inside_game_;
  std::function<void(const std::string&)> follow_layout_;
  std::string browser_;
  bool in_browser_ = false;
};

}  // namespace titletype::e2e
