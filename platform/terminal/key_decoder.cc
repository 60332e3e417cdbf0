// SPDX-License-Identifier: MIT
#include "platform/terminal/key_decoder.h"

#include <utility>

#include "game/virtual_keys.h"

namespace titletype {

namespace {

constexpr unsigned char kEsc = 0x1b;
// Sequences longer than this, "ESC [" included, are not keys.
constexpr std::size_t kLongestParameters = 32 - 2;

bool is_parameter(unsigned char byte) { return byte >= 0x20 && byte <= 0x3f; }
bool is_final(unsigned char byte) { return byte >= 0x40 && byte <= 0x7e; }

}  // namespace

void KeyDecoder::feed(std::string_view bytes, Instant now, std::vector<KeyStroke>& out) {
  // Bytes that come after the wait do not belong to the ESC before them.
  if (const auto due = deadline(); due && now >= *due) expire(out);
  for (unsigned char byte : bytes) feed_byte(byte, now, out);
}

std::optional<Instant> KeyDecoder::deadline() const {
  if (state_ == State::kGround) return std::nullopt;
  return pending_since_ + kEscWait;
}

void KeyDecoder::expire(std::vector<KeyStroke>& out) {
  if (state_ == State::kEscape) out.push_back({vk::kEsc, 0});
  state_ = State::kGround;
  parameters_.clear();
  overlong_ = false;
}

KeyReports KeyDecoder::reports() const {
  if (!key_events_) return KeyReports::kTaps;
  return typed_ ? KeyReports::kTypedEvents : KeyReports::kEvents;
}

void KeyDecoder::feed_byte(unsigned char byte, Instant now, std::vector<KeyStroke>& out) {
  // Bytes of non-ASCII characters, which no JIS key types, give nothing.
  const auto stroke = byte < 0x80 ? stroke_for_byte(byte) : std::nullopt;
  switch (state_) {
    case State::kGround:
      if (byte == kEsc) {
        state_ = State::kEscape;
        pending_since_ = now;  // also for an ESC fed again below
      } else if (stroke) {
        out.push_back(*stroke);
      }
      return;
    case State::kEscape:
      state_ = byte == '[' ? State::kCsiEntry : byte == 'O' ? State::kSs3 : State::kGround;
      if (byte == kEsc) {
        out.push_back({vk::kEsc, kAltBit});
      } else if (state_ == State::kGround && stroke) {
        // The ESC prefix is how terminals send Alt.
        out.push_back({stroke->key, static_cast<ModifierMask>(stroke->modifiers | kAltBit)});
      }
      return;
    case State::kSs3:
      state_ = State::kGround;
      if (const auto key = stroke_for_ss3(static_cast<char>(byte))) out.push_back(*key);
      return;
    case State::kLinuxFunction:
      state_ = State::kGround;
      if (const auto key = stroke_for_linux_function(static_cast<char>(byte))) out.push_back(*key);
      return;
    case State::kCsiEntry:
      if (byte == '[') {
        state_ = State::kLinuxFunction;
        return;
      }
      state_ = State::kCsiParameters;
      [[fallthrough]];
    case State::kCsiParameters:
      if (is_parameter(byte)) {
        if (parameters_.size() < kLongestParameters) {
          parameters_.push_back(static_cast<char>(byte));
        } else {
          overlong_ = true;  // read to its end, then dropped
        }
      } else if (is_final(byte)) {
        finish_csi(byte, out);
      } else {
        // Not part of any sequence: the sequence is dropped, the byte stands
        // alone.
        expire(out);
        feed_byte(byte, now, out);
      }
      return;
  }
}

void KeyDecoder::finish_csi(unsigned char final, std::vector<KeyStroke>& out) {
  const std::string parameters = std::exchange(parameters_, {});
  const bool overlong = std::exchange(overlong_, false);
  state_ = State::kGround;
  if (parameters.starts_with('?')) {  // an answer to a question, however long, not a key
    protocol_offered_ |= final == 'u';
    attributes_answered_ |= final == 'c';
  } else if (const auto stroke =
                 overlong ? std::nullopt
                          : stroke_for_csi(parameters, static_cast<char>(final), reports())) {
    out.push_back(*stroke);
  }
}

}  // namespace titletype
