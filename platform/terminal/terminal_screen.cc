// SPDX-License-Identifier: MIT
#include "platform/terminal/terminal_screen.h"

#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

namespace titletype {

namespace {

// Save the window title on the terminal's stack, switch to the alternate
// screen, hide the cursor, clear; ask xterm for modified keys and for Alt as
// an ESC prefix (not an 8-bit character); ask whether the terminal speaks
// the kitty keyboard protocol, then for its attributes, which every terminal
// answers.
constexpr std::string_view kEnter =
    "\x1b[22;0t\x1b[?1049h\x1b[?25l\x1b[2J"
    "\x1b[>4;2m\x1b[?1036s\x1b[?1036h"
    "\x1b[?u\x1b[c";
// The reverse, in the opposite order.
constexpr char kLeave[] = "\x1b[?1036r\x1b[>4m\x1b[0m\x1b[?25h\x1b[?1049l\x1b[23;0t";
// The protocol's flags: keys told apart from sequences, press, repeat and
// release events, the key's shifted character and US position, every key as
// a sequence; for play by the typed character, the text typed too.
constexpr std::string_view kPushKeyFlags = "\x1b[>15u";
constexpr std::string_view kPushKeyAndTextFlags = "\x1b[>31u";
constexpr char kPopKeyFlags[] = "\x1b[<u";

void write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;  // the terminal is gone; nothing more to show
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

/// tcsetattr, again where a signal interrupts it.
bool set_mode(int fd, int when, const termios& mode) {
  int result;
  do {
    result = tcsetattr(fd, when, &mode);
  } while (result != 0 && errno == EINTR);
  return result == 0;
}

// What a fatal signal needs to put the terminal back; set while a screen
// exists. Only async-signal-safe calls use it.
struct SavedTerminal {
  int in_fd = -1;
  int out_fd = -1;
  termios mode{};
  volatile sig_atomic_t key_flags_pushed = 0;
};
SavedTerminal g_saved;

constexpr int kFatalSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGQUIT};

extern "C" void restore_and_die(int signo) {
  if (g_saved.in_fd >= 0) {
    if (g_saved.key_flags_pushed) {
      [[maybe_unused]] const auto n = write(g_saved.out_fd, kPopKeyFlags, sizeof kPopKeyFlags - 1);
    }
    [[maybe_unused]] const auto n = write(g_saved.out_fd, kLeave, sizeof kLeave - 1);
    set_mode(g_saved.in_fd, TCSANOW, g_saved.mode);
  }
  // The handler was installed with SA_RESETHAND: this raise takes the
  // default action, a core dump where one is due.
  raise(signo);
}

int terminal_width(int fd) {
  winsize size{};
  if (ioctl(fd, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  return 80;
}

}  // namespace

std::string title_bar(std::string_view title, int width) {
  std::string printable;
  for (char c : title) {
    if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7f) printable += c;
  }
  std::string bar = " " + printable;
  bar.resize(static_cast<std::size_t>(std::max(width, 0)), ' ');
  // The bar in reverse video on the top line, then the same title as the
  // terminal's own (OSC 2).
  // An empty OSC 2 makes terminals show a name of their own; one space shows
  // as nothing.
  return "\x1b[H\x1b[7m" + bar + "\x1b[0m\x1b]2;" + (printable.empty() ? " " : printable) + "\a";
}

TerminalScreen::TerminalScreen(int in_fd, int out_fd) : in_fd_(in_fd), out_fd_(out_fd) {
  termios mode{};
  // Without the terminal's own mode there is nothing to put back at the end:
  // play nothing and change nothing.
  if (tcgetattr(in_fd_, &mode) != 0) {
    throw std::system_error(errno, std::generic_category(), "cannot read the terminal's mode");
  }

  // Raw input, but Ctrl+C still interrupts (and so ends the game cleanly);
  // Ctrl+\ and Ctrl+Z reach the game as keys instead of leaving the
  // terminal in raw mode behind a core dump or a suspended process.
  termios raw = mode;
  raw.c_iflag &=
      ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON);
  raw.c_oflag &= ~static_cast<tcflag_t>(OPOST);
  raw.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | IEXTEN);
  raw.c_lflag |= ISIG;
  raw.c_cflag |= CS8;
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  raw.c_cc[VQUIT] = _POSIX_VDISABLE;
  raw.c_cc[VSUSP] = _POSIX_VDISABLE;
  // A terminal left in its own mode would echo the keys and wait for Enter:
  // nothing is played, and nothing else is changed.
  if (!set_mode(in_fd_, TCSAFLUSH, raw)) {
    const int error = errno;
    set_mode(in_fd_, TCSANOW, mode);  // a mode may be partly set
    throw std::system_error(error, std::generic_category(), "cannot set the terminal's mode");
  }
  g_saved.in_fd = in_fd_;
  g_saved.out_fd = out_fd_;
  g_saved.mode = mode;
  for (int signo : kFatalSignals) {
    struct sigaction action {};
    action.sa_handler = restore_and_die;
    action.sa_flags = SA_RESETHAND;
    sigaction(signo, &action, nullptr);
  }
  write_all(out_fd_, kEnter);
}

TerminalScreen::~TerminalScreen() {
  if (g_saved.key_flags_pushed) write_all(out_fd_, kPopKeyFlags);
  write_all(out_fd_, kLeave);
  // Draining waits for the output to leave; a terminal that cannot take it
  // (gone, or stopped) still gets its mode back at once.
  if (!set_mode(in_fd_, TCSADRAIN, g_saved.mode)) set_mode(in_fd_, TCSANOW, g_saved.mode);
  for (int signo : kFatalSignals) signal(signo, SIG_DFL);
  g_saved.in_fd = g_saved.out_fd = -1;
  g_saved.key_flags_pushed = 0;
}

void TerminalScreen::report_key_events(KeyModel keys) {
  write_all(out_fd_, keys == KeyModel::kTyped ? kPushKeyAndTextFlags : kPushKeyFlags);
  g_saved.key_flags_pushed = 1;
}

void TerminalScreen::show_title(std::string_view title) {
  title_ = title;
  write_all(out_fd_, title_bar(title_, terminal_width(out_fd_)));
}

void TerminalScreen::redraw() {
  write_all(out_fd_, "\x1b[2J" + title_bar(title_, terminal_width(out_fd_)));
}

}  // namespace titletype
