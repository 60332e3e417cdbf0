// SPDX-License-Identifier: MIT
// The game's voice on Windows: SAPI, the speech the system's screen
// readers and Narrator speak through, with the player's own voice and rate.
// Each utterance is spoken asynchronously by SAPI itself, one that cuts in
// purging what is still queued or being said.
#pragma once

#include "platform/speech/voice.h"

struct ISpVoice;

namespace titletype {

class SapiVoice final : public Voice {
 public:
  /// Throws std::runtime_error, in one line, where SAPI cannot speak.
  SapiVoice();
  ~SapiVoice() override;
  SapiVoice(const SapiVoice&) = delete;
  SapiVoice& operator=(const SapiVoice&) = delete;

  void say(std::string_view text, Delivery delivery) override;

 private:
  ISpVoice* voice_ = nullptr;
  bool com_ = false;  // this thread's COM, started here
};

}  // namespace titletype
