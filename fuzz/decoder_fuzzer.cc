// SPDX-License-Identifier: MIT
// Fuzzes the terminal's key decoder: arbitrary bytes, split into reads at
// arbitrary points and times. Every stroke must be a key that a JIS keyboard
// has, with a mask of Shift, Ctrl and Alt only.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/terminal/key_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace titletype;
  KeyDecoder decoder;
  std::vector<KeyStroke> strokes;
  Instant now{};
  std::size_t i = 0;
  while (i < size) {
    // A control byte: how long the next read is, and how much later it comes.
    const uint8_t control = data[i++];
    const std::size_t length = std::min<std::size_t>(control % 16, size - i);
    now += std::chrono::milliseconds((control >> 4) * 8);
    if (const auto due = decoder.deadline(); due && *due <= now && control & 1) {
      decoder.expire(strokes);
    }
    decoder.feed(std::string_view(reinterpret_cast<const char*>(data + i), length), now, strokes);
    i += length;
  }
  decoder.expire(strokes);
  for (const KeyStroke& s : strokes) {
    const bool known = (s.key >= 8 && s.key <= 46) || (s.key >= '0' && s.key <= '9') ||
                       (s.key >= 'A' && s.key <= 'Z') || (s.key >= 112 && s.key <= 123) ||
                       (s.key >= 186 && s.key <= 192) || (s.key >= 219 && s.key <= 226);
    if (!known || s.modifiers > 7) std::abort();
  }
  return 0;
}
