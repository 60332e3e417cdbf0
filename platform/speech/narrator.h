// SPDX-License-Identifier: MIT
// The game said aloud, for a player who cannot see the title: a player by
// ear learns what a player by eye sees, when it matters to the next key.
//
// - The prompt once; a game's start and every change of the character to
//   strike (the leftmost), by its name, cutting off what is now stale;
//   "clear" when a hit empties the title.
// - A key that removes nothing while a game runs: "miss", and the
//   character still to strike (not Shift, Ctrl or Alt going down).
// - How near the end is: the title's length once it reaches 8, after the
//   name, and with the name when the character to strike changes.
// - "game over", then the score and the success rate once each, then the
//   question once (the title goes on alternating; the voice does not).
#pragma once

#include <string>

#include "platform/host/form_host.h"
#include "platform/speech/voice.h"

namespace titletype {

class Narrator final : public HandlerObserver {
 public:
  explicit Narrator(Voice& voice) : voice_(voice) {}

  void handled(Handler handler, const FormHost& host) override;

 private:
  class Words;
  /// `prefix`, the name of the title's first character, and the title's
  /// length where the end is near, cutting in.
  void say_target(std::string_view prefix, std::string_view title);

  Voice& voice_;
  std::string title_;  // as last seen
  bool playing_ = false;
};

}  // namespace titletype
