// SPDX-License-Identifier: MIT
// Fuzzes the terminal's key decoder: arbitrary bytes, split into reads at
// arbitrary points and times, with the key events of the kitty protocol
// read (by place or by the text typed) once the bytes offer them. Every
// stroke must be a key that a JIS keyboard has, with a mask of Shift, Ctrl
// and Alt only.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "game/virtual_keys.h"
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
    // As the game does once the terminal offers to report key events, by
    // place or by the text typed.
    if (decoder.protocol_offered()) {
      decoder.read_key_events(control & 2 ? KeyModel::kTyped : KeyModel::kPosition);
    }
    i += length;
  }
  decoder.expire(strokes);
  for (const KeyStroke& s : strokes) {
    const auto in = [&](int first, int last) { return s.key >= first && s.key <= last; };
    const bool known = in(vk::kBackspace, vk::kDelete) || in('0', '9') || in('A', 'Z') ||
                       in(vk::kLeftWin, vk::kMenu) || in(vk::kNumpad0, vk::kF1 + 11) ||
                       in(vk::kNumLock, vk::kScrollLock) || in(vk::kColon, vk::kAt) ||
                       in(vk::kBracketOpen, vk::kRo) || in(vk::kEisu, vk::kHankaku);
    if (!known || s.modifiers > 7) std::abort();
  }
  return 0;
}
