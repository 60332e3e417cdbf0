// SPDX-License-Identifier: MIT
// The one-thread event loop of the real backends: it hands each input event
// and each due tick to the FormHost, one at a time, and otherwise sleeps in
// ppoll on one file descriptor until the next deadline, so an idle game
// costs no CPU. SIGINT, SIGTERM and SIGHUP end it cleanly.
#pragma once

#include <csignal>
#include <functional>
#include <optional>

#include "platform/host/clock.h"
#include "platform/host/exit_status.h"
#include "platform/host/form_host.h"

namespace titletype {

/// What a backend gives the loop: a descriptor to wait on and a way to
/// handle what arrived on it.
class EventSource {
 public:
  virtual ~EventSource() = default;
  virtual int fd() const = 0;
  /// Handles the events that are ready without blocking.
  virtual void handle_ready_events(FormHost& host) = 0;
  /// Called before sleeping: sends what is buffered, and says whether events
  /// are already waiting in the backend's own queue.
  virtual bool flush_and_check_queued() = 0;
  /// Whether the last flush left something unsent (the socket was full):
  /// the loop then also wakes when the descriptor can take more, and
  /// flushes again.
  virtual bool wants_to_write() const { return false; }
  /// A deadline of the backend's own (a pending lone Esc in the terminal),
  /// and what to do when it passes.
  virtual std::optional<Instant> own_deadline() const { return std::nullopt; }
  virtual void handle_own_deadline(FormHost&) {}
  /// The terminal changed size (SIGWINCH).
  virtual void handle_resize() {}
  /// The source is gone for good (the terminal hung up): the loop ends as
  /// it does on SIGHUP.
  virtual bool hung_up() const { return false; }
};

/// The signals that end the loop, and the game, cleanly.
inline constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

/// How the loop ended: the game closed, or the number of the signal that
/// ended it.
struct LoopEnd {
  int signal = 0;
  /// The program's exit status after such an end.
  int exit_status() const { return signal ? exit_status::by_signal(signal) : exit_status::kDone; }
};

/// Runs until the game ends (Esc or the window closed) or a signal comes.
/// Throws if waiting fails (ppoll's error, a descriptor that is not open,
/// a wake-up that cannot be set): then the game cannot go on, and the loop
/// says why instead of spinning or freezing.
/// REQUIRES: `clock` counts the time of CLOCK_MONOTONIC (as SteadyClock does).
LoopEnd run_event_loop(FormHost& host, EventSource& source, const Clock& clock);

/// What a game does last: runs the loop, shows `at_end` (if any) the form
/// as the game left it, and gives the program's exit status.
int play_to_the_end(FormHost& host, EventSource& source, const Clock& clock,
                    const std::function<void(const Form1&)>& at_end = {});

}  // namespace titletype
