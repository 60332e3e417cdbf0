// SPDX-License-Identifier: MIT
// Where the game's spoken display goes: the platform's speech service
// (speech-dispatcher, SAPI, the browser's speech) or, in tests, a record.
// A voice never makes the game wait: it hands each utterance on and returns.
#pragma once

#include <string_view>

namespace titletype {

/// Whether an utterance cuts off what is still being said (stale now) or
/// follows it.
enum class Delivery { kInterrupt, kAfter };

class Voice {
 public:
  virtual ~Voice() = default;
  virtual void say(std::string_view text, Delivery delivery) = 0;
};

}  // namespace titletype
