// SPDX-License-Identifier: MIT
#include "platform/speechd/speech_dispatcher_voice.h"

#include <speech-dispatcher/libspeechd.h>
#include <sys/socket.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "platform/posix/runtime_library.h"

namespace titletype {

namespace {

// clang-format off
#define TITLETYPE_SPEECHD_FUNCTIONS(F) \
  F(spd_open2) \
  F(spd_say) \
  F(spd_cancel) \
  F(spd_close)
// clang-format on

struct Speechd {
  TITLETYPE_SPEECHD_FUNCTIONS(TITLETYPE_FUNCTION_MEMBER)
};

const Speechd& speechd() {
  static const Speechd loaded = load_function_table<Speechd, SpeechUnavailable>(
      "libspeechd.so.2", [](RuntimeLibrary& library, Speechd& table, bool& found) {
        TITLETYPE_SPEECHD_FUNCTIONS(TITLETYPE_RESOLVE_FUNCTION)
      });
  return loaded;
}

// Only so many utterances wait: a service that has stopped listening
// cannot make the game hold more.
constexpr std::size_t kMostQueued = 8;

}  // namespace

struct SpeechDispatcherVoice::Connection {
  SPDConnection* spd;
};

SpeechDispatcherVoice::SpeechDispatcherVoice() {
  const Speechd& spd = speechd();
  char* error = nullptr;
  // The user's own service is started if need be; one that SPEECHD_ADDRESS
  // names is the player's to start (speech-dispatcher refuses to start on
  // any other socket than its own).
  const int autospawn = std::getenv("SPEECHD_ADDRESS") ? 0 : 1;
  SPDConnection* connection =
      spd.spd_open2("titletype", "main", nullptr, SPD_MODE_SINGLE, nullptr, autospawn, &error);
  if (!connection) {
    // libspeechd's first sentence: the rest, over several lines, is the
    // autospawn's story. (The socket's path in it may hold a dot.)
    std::string why = error ? error : "no answer";
    std::free(error);
    why.resize(std::min({why.size(), why.find(". "), why.find('\n')}));
    throw SpeechUnavailable("cannot reach the speech service (speech-dispatcher): " + why);
  }
  connection_ = std::make_unique<Connection>(Connection{connection});
  speaker_ = std::thread([this] { speak_until_stopped(); });
}

SpeechDispatcherVoice::~SpeechDispatcherVoice() {
  {
    const std::lock_guard lock(mutex_);
    stop_ = true;
  }
  wake_.notify_one();
  // A service that does not answer would hold the speaker in a read: the
  // game ends without waiting for it.
  shutdown(connection_->spd->socket, SHUT_RDWR);
  speaker_.join();
  speechd().spd_close(connection_->spd);
}

void SpeechDispatcherVoice::say(std::string_view text, Delivery delivery) {
  {
    const std::lock_guard lock(mutex_);
    if (delivery == Delivery::kInterrupt) {
      queued_.clear();
      cancel_ = true;
    }
    if (queued_.size() == kMostQueued) queued_.pop_front();
    queued_.emplace_back(text);
  }
  wake_.notify_one();
}

void SpeechDispatcherVoice::speak_until_stopped() {
  const Speechd& spd = speechd();
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return stop_ || cancel_ || !queued_.empty(); });
    if (stop_) return;
    const bool cancel = std::exchange(cancel_, false);
    std::deque<std::string> texts = std::move(queued_);
    queued_.clear();
    lock.unlock();
    // A failure (the service gone) leaves the game as it is: it only has
    // nothing said.
    if (cancel) spd.spd_cancel(connection_->spd);
    for (const std::string& text : texts) {
      spd.spd_say(connection_->spd, SPD_MESSAGE, text.c_str());
      const std::lock_guard check(mutex_);
      if (cancel_ || stop_) break;  // the rest is stale already
    }
    lock.lock();
  }
}

}  // namespace titletype
