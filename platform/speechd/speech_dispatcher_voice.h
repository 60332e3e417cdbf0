// SPDX-License-Identifier: MIT
// The game's voice on Linux: speech-dispatcher, the speech service that
// Orca and the desktop speak through, so the player's own voice, rate and
// language apply. libspeechd is loaded only when --speak asks for it.
//
// The service is spoken to on a thread of the voice's own: an utterance is
// handed over and the game goes on, however slow the service or dead.
#pragma once

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>

#include "platform/speech/voice.h"

namespace titletype {

struct SpeechUnavailable : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class SpeechDispatcherVoice final : public Voice {
 public:
  /// Connects to the service (the one SPEECHD_ADDRESS names, or the user's,
  /// started if need be). Throws SpeechUnavailable, in one line, where
  /// libspeechd or the service cannot be had.
  SpeechDispatcherVoice();
  ~SpeechDispatcherVoice() override;
  SpeechDispatcherVoice(const SpeechDispatcherVoice&) = delete;
  SpeechDispatcherVoice& operator=(const SpeechDispatcherVoice&) = delete;

  void say(std::string_view text, Delivery delivery) override;

 private:
  struct Connection;
  void speak_until_stopped();

  std::unique_ptr<Connection> connection_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::string> queued_;  // what the service has yet to be told
  bool cancel_ = false;             // stop what it is saying first
  bool stop_ = false;
  std::thread speaker_;
};

}  // namespace titletype
