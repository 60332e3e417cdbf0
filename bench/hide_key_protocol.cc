// SPDX-License-Identifier: MIT
// Runs a program on a pseudo-terminal of its own and passes bytes both ways,
// except the terminal's answer to the kitty keyboard protocol's question
// (CSI ? flags u): the program then plays as in a terminal without the
// protocol, with the same terminal drawing it. A benchmark's baseline.
//
// Usage: hide_key_protocol PROGRAM [ARGUMENT...]
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <string>

namespace {

/// `bytes` without any CSI ? digits u (each answer arrives in one read).
std::string without_protocol_answers(const std::string& bytes) {
  std::string kept;
  for (std::size_t i = 0; i < bytes.size();) {
    if (bytes.compare(i, 3, "\x1b[?") == 0) {
      std::size_t end = i + 3;
      while (end < bytes.size() && std::isdigit(static_cast<unsigned char>(bytes[end]))) ++end;
      if (end < bytes.size() && bytes[end] == 'u') {
        i = end + 1;
        continue;
      }
    }
    kept += bytes[i++];
  }
  return kept;
}

bool write_all(int fd, const std::string& bytes) {
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("usage: hide_key_protocol PROGRAM [ARGUMENT...]\n", stderr);
    return 2;
  }
  winsize size{};
  ioctl(STDIN_FILENO, TIOCGWINSZ, &size);
  int terminal = -1;
  const pid_t child = forkpty(&terminal, nullptr, nullptr, &size);
  if (child < 0) return 1;
  if (child == 0) {
    execvp(argv[1], argv + 1);
    _exit(127);
  }
  // The program's terminal does the line discipline; this one passes bytes.
  termios saved{}, raw{};
  const bool on_terminal = tcgetattr(STDIN_FILENO, &saved) == 0;
  raw = saved;
  cfmakeraw(&raw);
  if (on_terminal) tcsetattr(STDIN_FILENO, TCSANOW, &raw);
  char buffer[4096];
  for (;;) {
    pollfd fds[2] = {{STDIN_FILENO, POLLIN, 0}, {terminal, POLLIN, 0}};
    if (poll(fds, 2, -1) < 0) break;
    if (fds[1].revents) {
      const ssize_t n = read(terminal, buffer, sizeof buffer);
      if (n <= 0 || !write_all(STDOUT_FILENO, std::string(buffer, std::size_t(n)))) break;
    }
    if (fds[0].revents) {
      const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
      if (n <= 0) break;
      write_all(terminal, without_protocol_answers(std::string(buffer, std::size_t(n))));
    }
  }
  if (on_terminal) tcsetattr(STDIN_FILENO, TCSANOW, &saved);
  close(terminal);  // a program still running has lost its terminal: SIGHUP
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
