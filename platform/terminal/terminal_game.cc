// SPDX-License-Identifier: MIT
#include "platform/terminal/terminal_game.h"

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <set>
#include <vector>

#include "platform/host/steady_clock.h"
#include "platform/posix/event_loop.h"
#include "platform/terminal/key_decoder.h"
#include "platform/terminal/terminal_screen.h"

namespace titletype {

namespace {

/// Keys typed in the terminal, as key events for the game.
class TerminalInput final : public EventSource {
 public:
  TerminalInput(int fd, const Clock& clock, TerminalScreen& screen, KeyModel keys)
      : fd_(fd), clock_(clock), screen_(screen), keys_(keys) {}

  int fd() const override { return fd_; }
  bool flush_and_check_queued() override { return false; }
  bool hung_up() const override { return hung_up_; }
  std::optional<Instant> own_deadline() const override { return decoder_.deadline(); }
  void handle_resize() override { screen_.redraw(); }

  void handle_ready_events(FormHost& host) override {
    char bytes[256];
    const ssize_t n = read(fd_, bytes, sizeof bytes);
    if (n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN)) {
      hung_up_ = true;
      return;
    }
    if (n < 0) return;
    strokes_.clear();
    decoder_.feed(std::string_view(bytes, static_cast<std::size_t>(n)), clock_.now(), strokes_);
    note_keys_down();
    if (decoder_.protocol_offered() && !key_events_) {
      screen_.report_key_events(keys_);
      decoder_.read_key_events(keys_);
      key_events_ = true;
    }
    send(host);
  }

  /// Reads on once the game has ended, until the terminal has answered the
  /// start-up questions and released every key that it reported down, or
  /// until `until`: what is left would reach the shell as typed text.
  void finish(Instant until) {
    while ((!decoder_.attributes_answered() || !down_.empty()) && clock_.now() < until) {
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - clock_.now());
      pollfd ready{fd_, POLLIN, 0};
      char bytes[256];
      const ssize_t n =
          poll(&ready, 1, static_cast<int>(left.count())) > 0 ? read(fd_, bytes, sizeof bytes) : 0;
      if (n <= 0) return;
      strokes_.clear();
      decoder_.feed(std::string_view(bytes, static_cast<std::size_t>(n)), clock_.now(), strokes_);
      note_keys_down();
    }
  }

  void handle_own_deadline(FormHost& host) override {
    strokes_.clear();
    decoder_.expire(strokes_);
    send(host);
  }

 private:
  void note_keys_down() {
    for (const KeyStroke& stroke : strokes_) {
      if (stroke.action == KeyAction::kDown) down_.insert(stroke.key);
      if (stroke.action == KeyAction::kUp) down_.erase(stroke.key);
    }
  }

  void send(FormHost& host) {
    for (const KeyStroke& stroke : strokes_) host.key_stroke(stroke);
  }

  int fd_;
  const Clock& clock_;
  TerminalScreen& screen_;
  KeyModel keys_;
  KeyDecoder decoder_;
  std::vector<KeyStroke> strokes_;
  bool hung_up_ = false;
  bool key_events_ = false;
  std::set<KeyCode> down_;  // keys reported down and not yet up
};

/// Holds back the signals that stop the game while it owns the terminal:
/// one that came before the loop, whose sleep lets them in, would otherwise
/// end the program with the terminal raw and on the other screen.
class HeldStopSignals {
 public:
  HeldStopSignals() {
    sigset_t stop;
    sigemptyset(&stop);
    for (int signo : kStopSignals) sigaddset(&stop, signo);
    sigprocmask(SIG_BLOCK, &stop, &previous_);
  }
  ~HeldStopSignals() { sigprocmask(SIG_SETMASK, &previous_, nullptr); }
  HeldStopSignals(const HeldStopSignals&) = delete;
  HeldStopSignals& operator=(const HeldStopSignals&) = delete;

 private:
  sigset_t previous_{};
};

}  // namespace

int run_terminal_game(RandomSource& random, KeyModel keys, HandlerObserver* observer) {
  const HeldStopSignals held;
  TerminalScreen screen(STDIN_FILENO, STDOUT_FILENO);
  const SteadyClock clock;
  FormHost host(clock, random, screen);
  host.set_observer(observer);
  TerminalInput input(STDIN_FILENO, clock, screen, keys);
  const int status = play_to_the_end(host, input, clock);
  input.finish(clock.now() + std::chrono::milliseconds(500));
  return status;
}

}  // namespace titletype
