// SPDX-License-Identifier: MIT
#include "tests/e2e/x_session.h"

#include <X11/Xatom.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string_view>
#include <thread>

namespace titletype::e2e {

namespace {

/// Reads one line from `fd` within `timeout`.
std::string read_line(int fd, std::chrono::milliseconds timeout) {
  std::string line;
  const auto end = std::chrono::steady_clock::now() + timeout;
  char c = 0;
  while (std::chrono::steady_clock::now() < end) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 100) <= 0) continue;
    if (read(fd, &c, 1) != 1 || c == '\n') break;
    line += c;
  }
  return line;
}

}  // namespace

XSession::JisStroke XSession::stroke_for(char c) {
  // Each row of the JIS keyboard from its first X keycode: what its keys
  // type, then what they type with Shift (a space where the game needs none).
  static constexpr struct {
    int first_keycode;
    std::string_view plain, shifted;
  } kRows[] = {{10, "1234567890-", "!\"#$%&'() ="},
               {24, "QWERTYUIOP@", ""},
               {38, "ASDFGHJKL;:", "         +*"},
               {52, "ZXCVBNM,./", "       <>?"}};
  for (const auto& row : kRows) {
    const auto plain = row.plain.find(c), shifted = row.shifted.find(c);
    if (plain != std::string_view::npos) return {row.first_keycode + int(plain), false};
    if (c != ' ' && shifted != std::string_view::npos)
      return {row.first_keycode + int(shifted), true};
  }
  throw std::invalid_argument(std::string("no JIS key for ") + c);
}

XSession::XSession(const std::string& screen) {
  int fds[2];
  if (pipe(fds) != 0) throw std::runtime_error("pipe");
  fcntl(fds[0], F_SETFD, FD_CLOEXEC);
  server_ = std::make_unique<Process>(
      std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(fds[1]), "-noreset",
                               "-nolisten", "tcp", "-screen", "0", screen});
  close(fds[1]);
  const std::string number = read_line(fds[0], 20s);
  close(fds[0]);
  if (number.empty()) throw std::runtime_error("Xvfb did not start");
  display_name_ = ":" + number;
  Process layout({"setxkbmap", "-display", display_name_, "jp"});
  if (layout.wait(20s) != 0) throw std::runtime_error("setxkbmap jp failed");
  // Windows come and go while the tests look at them (a terminal's first
  // windows, a closed game's): such an error is no reason to stop.
  static const XErrorHandler default_handler = XSetErrorHandler(nullptr);
  XSetErrorHandler([](Display* display, XErrorEvent* error) {
    return error->error_code == BadWindow ? 0 : default_handler(display, error);
  });
  display_ = XOpenDisplay(display_name_.c_str());
  if (!display_) throw std::runtime_error("cannot open " + display_name_);
  XSelectInput(display_, DefaultRootWindow(display_), SubstructureNotifyMask);
}

XSession::~XSession() {
  // Closing a connection to a dead server would end this process.
  if (display_ && !server_->wait(0ms)) XCloseDisplay(display_);
}

void XSession::kill_server() {
  server_->kill(SIGKILL);
  server_->wait(10s);
}

std::unique_ptr<Process> XSession::start_game(
    const std::string& binary, std::vector<std::string> args,
    std::vector<std::pair<std::string, std::string>> env) {
  args.insert(args.begin(), binary);
  env.emplace_back("DISPLAY", display_name_);
  return std::make_unique<Process>(args, env);
}

long XSession::window_pid(::Window window) {
  const auto pid = property<long>(display_, window, "_NET_WM_PID", XA_CARDINAL);
  return pid && pid->size() == 1 ? pid->front() : -1;
}

::Window XSession::viewable_window_of(long pid) {
  ::Window root, parent, *children = nullptr;
  unsigned count = 0;
  ::Window found = 0;
  if (XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count)) {
    for (unsigned i = 0; i < count && !found; ++i) {
      XWindowAttributes attributes;
      if (XGetWindowAttributes(display_, children[i], &attributes) &&
          attributes.map_state == IsViewable && window_pid(children[i]) == pid) {
        found = children[i];
      }
    }
  }
  if (children) XFree(children);
  return found;
}

bool XSession::find_window(const Process& game, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  window_ = inside_;
  seen_.clear();
  while (!window_ && std::chrono::steady_clock::now() < end) {
    while (!window_ && XPending(display_)) {
      XEvent event;
      XNextEvent(display_, &event);
      if (event.type != MapNotify) continue;
      mapped_at_ = std::chrono::steady_clock::now();
      if (window_pid(event.xmap.window) == game.pid()) window_ = event.xmap.window;
    }
    if (window_) break;
    pollfd p{ConnectionNumber(display_), POLLIN, 0};
    if (poll(&p, 1, 100) == 0) {
      // Some clients (Wine) may name their process only after mapping.
      window_ = viewable_window_of(game.pid());
      mapped_at_ = std::chrono::steady_clock::now();
    }
  }
  if (!window_) return false;
  XSelectInput(display_, window_, PropertyChangeMask);
  // The terminal has answered the game once the game asks it to report
  // keys: the compositor's window is up by then.
  while (inside_ && read_output().find("\x1b[>15u") == std::string::npos) {
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(10ms);
  }
  XSetInputFocus(display_, window_, RevertToPointerRoot, CurrentTime);
  XSync(display_, False);
  // The compositor hands the terminal the keyboard once its surface is up:
  // press Shift (which the game forgets at Space) until the terminal
  // reports it to the game.
  while (inside_ && read_output(".in").find("\x1b[57441;") == std::string::npos) {
    if (std::chrono::steady_clock::now() >= end) return false;
    tap(kLeftShiftKeycode);
    std::this_thread::sleep_for(200ms);
  }
  return true;
}

std::string XSession::title() {
  std::string shown;
  if (inside_) {  // the last title that the game set (OSC 2)
    const std::string output = read_output();
    const std::size_t start = output.rfind("\x1b]2;"), end = output.find('\a', start);
    if (start != output.npos && end != output.npos)
      shown = output.substr(start + 4, end - start - 4);
  } else {  // _NET_WM_NAME where the window sets it, WM_NAME otherwise
    auto text = property<char>(display_, window_, "_NET_WM_NAME",
                               XInternAtom(display_, "UTF8_STRING", False));
    if (!text) text = property<char>(display_, window_, "WM_NAME", XA_STRING);
    if (text) shown.assign(text->begin(), text->end());
  }
  // An empty title shows as one zero-width space in a browser and as one
  // space in a terminal, so that neither shows an address or a name instead.
  return shown == "\u200b" || shown == " " ? "" : shown;
}

bool XSession::wait_title(const std::function<bool(const std::string&)>& done,
                          std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    const std::string now = title();
    if (seen_.empty() || seen_.back() != now) seen_.push_back(now);
    if (done(now)) return true;
    // Sleep until the window's properties change, or the time is up.
    bool changed = false;
    while (!changed) {
      while (XPending(display_)) {
        XEvent event;
        XNextEvent(display_, &event);
        changed = changed || event.type == PropertyNotify;
      }
      if (changed) break;
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          end - std::chrono::steady_clock::now());
      if (left <= 0ms) return false;
      pollfd p{ConnectionNumber(display_), POLLIN, 0};
      // A title in a file changes unannounced: look again every 10 ms.
      const auto wait = inside_ ? std::min(left, std::chrono::milliseconds(10)) : left;
      changed = poll(&p, 1, static_cast<int>(wait.count())) == 0 && inside_;
    }
  }
}

std::vector<unsigned long> XSession::icon() {
  return property<unsigned long>(display_, window_, "_NET_WM_ICON", XA_CARDINAL)
      .value_or(std::vector<unsigned long>{});
}

void XSession::key_down(int keycode) {
  XTestFakeKeyEvent(display_, static_cast<unsigned>(keycode), True, CurrentTime);
  XFlush(display_);
}

void XSession::key_up(int keycode) {
  XTestFakeKeyEvent(display_, static_cast<unsigned>(keycode), False, CurrentTime);
  XFlush(display_);
}

void XSession::type(char c) {
  const JisStroke stroke = stroke_for(c);
  if (stroke.shift) key_down(kLeftShiftKeycode);
  tap(stroke.keycode);
  if (stroke.shift) key_up(kLeftShiftKeycode);
}

void XSession::close_window() {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window_;
  event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display_, window_, False, NoEventMask, &event);
  XFlush(display_);
}

std::string XSession::read_output(const char* suffix) const {
  std::ifstream in(output_ + suffix);
  return {std::istreambuf_iterator<char>(in), {}};
}

void XSession::play_inside(::Window window, std::string output) {
  inside_ = window;
  output_ = std::move(output);
}

::Window XSession::window_named(const std::string& name) {
  ::Window root, parent, *children = nullptr, found = 0;
  unsigned count = 0;
  if (XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count)) {
    for (unsigned i = 0; i < count && !found; ++i) {
      const auto text = property<char>(display_, children[i], "_NET_WM_NAME",
                                       XInternAtom(display_, "UTF8_STRING", False));
      if (text && std::string(text->begin(), text->end()).starts_with(name)) found = children[i];
    }
  }
  if (children) XFree(children);
  return found;
}

void XSession::use_window(::Window window) {
  window_ = window;
  XSetInputFocus(display_, window_, RevertToPointerRoot, CurrentTime);
  XSync(display_, False);
}

}  // namespace titletype::e2e
