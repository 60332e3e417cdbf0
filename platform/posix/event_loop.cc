#include "platform/posix/event_loop.h"

#include <poll.h>
#include <signal.h>

#include <algorithm>
#include <csignal>

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
    for (int i = 0; i < kCount; ++i) {
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
    for (int i = 0; i < kCount; ++i) sigaction(kSignals[i], &previous_[i], nullptr);
  }
  CaughtSignals(const CaughtSignals&) = delete;
  CaughtSignals& operator=(const CaughtSignals&) = delete;

  const sigset_t* wait_mask() const { return &wait_mask_; }

 private:
  static constexpr int kCount = 4;
  static constexpr int kSignals[kCount] = {SIGINT, SIGTERM, SIGHUP, SIGWINCH};
  struct sigaction previous_[kCount] {};
  sigset_t previous_mask_{};
  sigset_t wait_mask_{};
};

std::optional<Instant> earliest(std::optional<Instant> a, std::optional<Instant> b) {
  if (a && b) return std::min(*a, *b);
  return a ? a : b;
}

}  // namespace

LoopEnd run_event_loop(FormHost& host, EventSource& source, const Clock& clock) {
  const CaughtSignals signals;
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

    timespec timeout{};
    const timespec* wait_for = nullptr;  // no deadline: sleep until an event
    if (const auto deadline = earliest(host.next_deadline(), source.own_deadline())) {
      const auto left = std::max(*deadline - clock.now(), Instant::zero());
      timeout.tv_sec = static_cast<time_t>(left.count() / 1'000'000'000);
      timeout.tv_nsec = static_cast<long>(left.count() % 1'000'000'000);
      wait_for = &timeout;
    }
    pollfd watched{.fd = source.fd(), .events = POLLIN, .revents = 0};
    if (ppoll(&watched, 1, wait_for, signals.wait_mask()) > 0) {
      source.handle_ready_events(host);
    }
  }
}

}  // namespace titletype
