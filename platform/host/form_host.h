// SPDX-License-Identifier: MIT
// FormHost: what every backend shares. It owns Form1 with its window state
// and two deadline timers, runs one handler at a time, and after each handler
// that set the title hands the new title to the backend's display.
//
// A backend only turns its own events into key_down and key_up calls (each
// runs the ticks that fell due while it was handled), calls run_due_ticks
// whenever it wakes, and sleeps until next_deadline.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "game/form1.h"
#include "game/random_source.h"
#include "game/title_window.h"
#include "platform/host/clock.h"
#include "platform/host/deadline_timer.h"
#include "platform/host/title_display.h"
#include "platform/keys/key_strokes.h"

namespace titletype {

class FormHost;

/// A handler of Form1 that the host has run.
enum class Handler { kLoad, kKeyDown, kKeyUp, kTimer1, kTimer2 };

/// What follows the game handler by handler (the spoken display), besides
/// the title's display.
class HandlerObserver {
 public:
  virtual ~HandlerObserver() = default;
  /// After each handler, with the game as it left it.
  virtual void handled(Handler handler, const FormHost& host) = 0;
};

class FormHost {
 public:
  /// Creates Form1 and runs its on_load, which shows the first title.
  FormHost(const Clock& clock, RandomSource& random, TitleDisplay& display);
  FormHost(const FormHost&) = delete;
  FormHost& operator=(const FormHost&) = delete;

  /// A key event, then the ticks that fell due meanwhile.
  void key_down(KeyCode key, ModifierMask modifiers);
  void key_up(KeyCode key, ModifierMask modifiers);
  /// The key events of `stroke` one by one (for a tap: modifiers down, the
  /// key down and up, modifiers up), each followed by the ticks due.
  void key_stroke(const KeyStroke& stroke);

  /// `observer` follows the game from now on, starting with the load it
  /// missed; null: none does.
  void set_observer(HandlerObserver* observer) {
    observer_ = observer;
    if (observer_) observer_->handled(Handler::kLoad, *this);
  }

  /// The window was closed from outside (its close button): the program
  /// ends as it does on Esc.
  void close() { window_.close(); }

  /// Handles the ticks that are due by the clock's now, earliest first, at
  /// most one per timer.
  void run_due_ticks();

  /// When the next tick falls due; nothing while neither timer runs.
  std::optional<Instant> next_deadline() const;

  /// Esc was pressed or the window closed: run no further handler.
  bool ended() const { return window_.closed; }

  const Form1& form() const { return form_; }
  std::string_view title() const { return window_.text; }
  const Timer& timer1() const { return timer1_; }
  const Timer& timer2() const { return timer2_; }

 private:
  /// The window state that Form1 sees; the display learns of changes.
  struct HostedWindow final : TitleWindow {
    std::string_view title() const override { return text; }
    void set_title(std::string_view t) override { text = t, changed = true; }
    void close() override { closed = true; }
    std::string text;
    bool changed = false;
    bool closed = false;
  };

  template <typename Run>
  void handle(Instant at, Handler handler, Run run);

  const Clock& clock_;
  TitleDisplay& display_;
  HandlerObserver* observer_ = nullptr;
  HostedWindow window_;
  /// The moment of the event being handled: timers restart from it, so a
  /// tick handler that changes an interval does not push the schedule by
  /// the time the loop took to wake.
  SetClock event_clock_;
  DeadlineTimer timer1_{event_clock_};
  DeadlineTimer timer2_{event_clock_};
  Form1 form_;
};

}  // namespace titletype
