// SPDX-License-Identifier: MIT
#include "tests/e2e/tmux_session.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <thread>

namespace titletype::e2e {

namespace {

std::string shell_quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

}  // namespace

TmuxSession::TmuxSession() {
  char dir[] = "/tmp/titletype-tmux-XXXXXX";
  if (!mkdtemp(dir)) throw std::runtime_error("mkdtemp");
  dir_ = dir;
  socket_ = dir_ + "/socket";
  tmux("-f /dev/null new-session -d -x 60 -y 8 " +
       shell_quoted("env -u DISPLAY PS1='$ ' TERM=screen sh"));
  if (!wait_screen([](const std::string& s) { return s.find("$") != std::string::npos; })) {
    throw std::runtime_error("no shell prompt in tmux");
  }
}

TmuxSession::~TmuxSession() {
  tmux("kill-server");
  std::error_code ignored;
  std::filesystem::remove_all(dir_, ignored);
}

std::string TmuxSession::tmux(const std::string& args) {
  const std::string command = "tmux -S " + shell_quoted(socket_) + " " + args + " 2>/dev/null";
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    while (const std::size_t n = fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
    pclose(pipe);
  }
  return out;
}

void TmuxSession::run(const std::string& line) {
  send(line, true);
  send("Enter");
}

void TmuxSession::send(const std::string& keys, bool literal) {
  tmux(std::string("send-keys ") + (literal ? "-l " : "") + shell_quoted(keys));
}

std::string TmuxSession::screen() { return tmux("capture-pane -p"); }

std::string TmuxSession::top_line() {
  const std::string s = screen();
  std::string line = s.substr(0, s.find('\n'));
  line.erase(line.find_last_not_of(' ') + 1);
  return line;
}

std::string TmuxSession::pane_title() {
  std::string title = tmux("display-message -p '#{pane_title}'");
  if (!title.empty() && title.back() == '\n') title.pop_back();
  return title;
}

bool TmuxSession::wait_screen(const std::function<bool(const std::string&)>& done,
                              std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (done(screen())) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

bool TmuxSession::wait_top_line(const std::string& text, std::chrono::milliseconds timeout) {
  return wait_screen([&](const std::string&) { return top_line() == text; }, timeout);
}

}  // namespace titletype::e2e
