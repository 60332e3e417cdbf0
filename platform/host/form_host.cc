// SPDX-License-Identifier: MIT
#include "platform/host/form_host.h"

namespace titletype {

FormHost::FormHost(const Clock& clock, RandomSource& random, TitleDisplay& display)
    : clock_(clock), display_(display), form_(window_, timer1_, timer2_, random) {
  handle(clock_.now(), Handler::kLoad, [this] { form_.on_load(); });
}

template <typename Run>
void FormHost::handle(Instant at, Handler handler, Run run) {
  if (ended()) return;
  event_clock_.at = at;
  window_.changed = false;
  run();
  if (window_.changed) display_.show_title(window_.text);
  if (observer_ && !ended()) observer_->handled(handler, *this);
}

void FormHost::key_down(KeyCode key, ModifierMask modifiers) {
  handle(clock_.now(), Handler::kKeyDown, [&] { form_.on_key_down(key, modifiers); });
  run_due_ticks();
}

void FormHost::key_up(KeyCode key, ModifierMask modifiers) {
  handle(clock_.now(), Handler::kKeyUp, [&] { form_.on_key_up(key, modifiers); });
  run_due_ticks();
}

void FormHost::key_stroke(const KeyStroke& stroke) {
  for (const KeyEventStep& step : key_events_for(stroke)) {
    if (step.kind == KeyEventStep::Kind::kDown) {
      key_down(step.key, step.modifiers);
    } else {
      key_up(step.key, step.modifiers);
    }
  }
}

void FormHost::run_due_ticks() {
  bool timer1_done = false;
  bool timer2_done = false;
  while (!ended()) {
    const Instant now = clock_.now();
    constexpr Instant kNever = Instant::max();
    const Instant due1 = timer1_done ? kNever : timer1_.deadline().value_or(kNever);
    const Instant due2 = timer2_done ? kNever : timer2_.deadline().value_or(kNever);
    const bool take1 = due1 <= now && due1 <= due2;
    const bool take2 = !take1 && due2 <= now;
    if (take1) {
      timer1_done = true;
      handle(*timer1_.take_due(now), Handler::kTimer1, [this] { form_.on_timer1_tick(); });
    } else if (take2) {
      timer2_done = true;
      handle(*timer2_.take_due(now), Handler::kTimer2, [this] { form_.on_timer2_tick(); });
    } else {
      return;
    }
  }
}

std::optional<Instant> FormHost::next_deadline() const {
  return earliest(timer1_.deadline(), timer2_.deadline());
}

}  // namespace titletype
