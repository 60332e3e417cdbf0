// SPDX-License-Identifier: MIT
// The simulated platform: Form1 in virtual time. Tests script the random
// source, send key events at chosen moments and read back every title the
// player would have seen, with the virtual time it appeared.
#pragma once

#include <string>
#include <vector>

#include "platform/host/form_host.h"
#include "platform/sim/scripted_random.h"

namespace titletype {

/// A title shown at a moment of virtual time.
struct TitleAt {
  Instant at;
  std::string text;
  bool operator==(const TitleAt&) const = default;
};

class SimPlatform final : private TitleDisplay {
 public:
  /// `rand_script` gives rand_unit's answers in turn, its last answer for
  /// ever after; each must be in [0, 1).
  explicit SimPlatform(std::vector<double> rand_script = {0.0});

  /// Lets `duration` of virtual time pass, handling every tick on time.
  void run_for(Instant duration);

  void key_down(KeyCode key, ModifierMask modifiers = 0) { host_.key_down(key, modifiers); }
  void key_up(KeyCode key, ModifierMask modifiers = 0) { host_.key_up(key, modifiers); }
  /// A key-down and its key-up at the same moment.
  void press(KeyCode key, ModifierMask modifiers = 0);
  /// The key events of `stroke`, as a backend hands them over.
  void stroke(const KeyStroke& stroke) { host_.key_stroke(stroke); }

  Instant now() const { return clock_.at; }
  const FormHost& host() const { return host_; }
  FormHost& host() { return host_; }
  const Form1& form() const { return host_.form(); }
  std::string_view title() const { return host_.title(); }
  /// Every title shown so far; a handler that set the title more than once
  /// shows only the last.
  const std::vector<TitleAt>& timeline() const { return timeline_; }
  int seeds() const { return random_.seeds(); }

 private:
  void show_title(std::string_view title) override;

  SetClock clock_;
  ScriptedRandom random_;
  std::vector<TitleAt> timeline_;
  FormHost host_;
};

}  // namespace titletype
