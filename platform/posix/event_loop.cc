// SPDX-License-Identifier: MIT
#include "platform/posix/event_loop.h"

#include <poll.h>
#include <signal.h>
#include <unistd.h>
#if defined(__linux__)
#include <sys/timerfd.h>
#endif

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <iterator>
#include <stdexcept>
#include <system_error>

namespace titletype {

namespace {

volatile std::sig_atomic_t g_stop_signal = 0;
volatile std::sig_atomic_t g_resized = 0;

extern "C" void note_stop_signal(int signo) { g_stop_signal = signo; }
extern "C" void note_resize(int) { g_resized = 1; }

/// Catches the signals for the loop's lifetime. They stay blocked except
/// while the loop sleeps in ppoll, so none can slip in between a check of
/// the flags and the sleep.
class CaughtSignals {
 public:
  CaughtSignals() {
    g_stop_signal = 0;
    g_resized = 0;
    sigset_t caught;
    sigemptyset(&caught);
    for (std::size_t i = 0; i < kCount; ++i) {
      struct sigaction action {};
      action.sa_handler = kSignals[i] == SIGWINCH ? note_resize : note_stop_signal;
      sigemptyset(&action.sa_mask);
      sigaction(kSignals[i], &action, &previous_[i]);
      sigaddset(&caught, kSignals[i]);
    }
    sigprocmask(SIG_BLOCK, &caught, &previous_mask_);
    wait_mask_ = previous_mask_;
    for (int signo : kSignals) sigdelset(&wait_mask_, signo);
  }
  ~CaughtSignals() {
    sigprocmask(SIG_SETMASK, &previous_mask_, nullptr);
    for (std::size_t i = 0; i < kCount; ++i) sigaction(kSignals[i], &previous_[i], nullptr);
  }
  CaughtSignals(const CaughtSignals&) = delete;
  CaughtSignals& operator=(const CaughtSignals&) = delete;

  const sigset_t* wait_mask() const { return &wait_mask_; }

 private:
  // The stop signals, and the terminal's change of size.
  static constexpr std::size_t kCount = std::size(kStopSignals) + 1;
  static constexpr std::array<int, kCount> kSignals = [] {
    std::array<int, kCount> all{};
    std::copy(std::begin(kStopSignals), std::end(kStopSignals), all.begin());
    all.back() = SIGWINCH;
    return all;
  }();
  struct sigaction previous_[kCount] {};
  sigset_t previous_mask_{};
  sigset_t wait_mask_{};
};

/// Wakes the loop at an absolute time of CLOCK_MONOTONIC. A poll timeout
/// would do, but Linux lets a sleep of one second run about 1 ms late (0.1%
/// of the timeout as slack); a timerfd's deadline is kept to microseconds.
class WakeTimer {
 public:
  WakeTimer() {
#if defined(__linux__)
    fd_ = timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC | TFD_NONBLOCK);
#endif
  }
  ~WakeTimer() {
    if (fd_ >= 0) close(fd_);
  }
  WakeTimer(const WakeTimer&) = delete;
  WakeTimer& operator=(const WakeTimer&) = delete;

  /// -1 where there is no timerfd: the loop then sleeps with a timeout.
  int fd() const { return fd_; }

  /// Throws where the timer cannot be set: a game whose ticks never come
  /// would freeze without a word.
  void arm(std::optional<Instant> at) {
#if defined(__linux__)
    if (fd_ < 0 || (at.has_value() == armed_ && (!at || *at == armed_at_))) return;
    itimerspec when{};  // all zero: disarmed
    if (at) {
      // An absolute time of zero would disarm; no deadline is that early.
      const auto ns = std::max<int64_t>(at->count(), 1);
      when.it_value.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
      when.it_value.tv_nsec = static_cast<long>(ns % 1'000'000'000);
    }
    if (timerfd_settime(fd_, TFD_TIMER_ABSTIME, &when, nullptr) != 0) {
      throw std::system_error(errno, std::generic_category(), "setting the wake-up timer");
    }
    armed_ = at.has_value();
    if (at) armed_at_ = *at;
#else
    (void)at;
#endif
  }

  /// Takes the expiry, so that the descriptor stops being readable.
  void acknowledge() {
    uint64_t expiries = 0;
    if (fd_ >= 0 && read(fd_, &expiries, sizeof expiries) < 0) return;
    armed_ = false;
  }

 private:
  int fd_ = -1;
  bool armed_ = false;
  Instant armed_at_{};
};

}  // namespace

LoopEnd run_event_loop(FormHost& host, EventSource& source, const Clock& clock) {
  const CaughtSignals signals;
  WakeTimer wake_timer;
  for (;;) {
    host.run_due_ticks();
    if (g_resized) {
      g_resized = 0;
      source.handle_resize();
    }
    if (const auto own = source.own_deadline(); own && *own <= clock.now()) {
      source.handle_own_deadline(host);
    }
    if (host.ended()) return {};
    if (g_stop_signal) return {g_stop_signal};
    if (source.hung_up()) return {SIGHUP};
    if (source.flush_and_check_queued()) {
      source.handle_ready_events(host);
      continue;
    }

    const auto deadline = earliest(host.next_deadline(), source.own_deadline());
    timespec timeout{};
    const timespec* wait_for = nullptr;  // no deadline: sleep until an event
    if (wake_timer.fd() >= 0) {
      wake_timer.arm(deadline);
    } else if (deadline) {
      const auto left = std::max(*deadline - clock.now(), Instant::zero());
      timeout.tv_sec = static_cast<time_t>(left.count() / 1'000'000'000);
      timeout.tv_nsec = static_cast<long>(left.count() % 1'000'000'000);
      wait_for = &timeout;
    }
    const auto wanted = static_cast<short>(POLLIN | (source.wants_to_write() ? POLLOUT : 0));
    pollfd watched[2] = {{.fd = source.fd(), .events = wanted, .revents = 0},
                         {.fd = wake_timer.fd(), .events = POLLIN, .revents = 0}};
    const int ready = ppoll(watched, wake_timer.fd() >= 0 ? 2 : 1, wait_for, signals.wait_mask());
    if (ready < 0 && errno != EINTR) {
      throw std::system_error(errno, std::generic_category(), "waiting for events");
    }
    if ((watched[0].revents | watched[1].revents) & POLLNVAL) {
      throw std::runtime_error("waiting for events: a descriptor is not open");
    }
    if (ready > 0) {
      if (watched[1].revents) wake_timer.acknowledge();
      // Writable only: the next turn flushes again.
      if (watched[0].revents & ~POLLOUT) source.handle_ready_events(host);
    }
  }
}

int play_to_the_end(FormHost& host, EventSource& source, const Clock& clock,
                    const std::function<void(const Form1&)>& at_end) {
  const LoopEnd end = run_event_loop(host, source, clock);
  if (at_end) at_end(host.form());
  return end.exit_status();
}

}  // namespace titletype
