// SPDX-License-Identifier: MIT
#include "platform/terminal/key_decoder.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>

#include "platform/keys/virtual_keys.h"
#include "platform/terminal/kitty_keys.h"

namespace titletype {

namespace {

constexpr unsigned char kEsc = 0x1b;
constexpr std::size_t kLongestSequence = 32;  // longer ones are not keys

using vk::kBackspace, vk::kDelete, vk::kDown, vk::kEnd, vk::kEnter, vk::kF1, vk::kHome, vk::kInsert,
    vk::kLeft, vk::kPageDown, vk::kPageUp, vk::kRight, vk::kTab, vk::kUp;

/// A byte on its own: a printable character or a control character.
std::optional<KeyStroke> stroke_for_byte(unsigned char byte) {
  switch (byte) {
    case '\t':
      return KeyStroke{kTab, 0};
    case '\r':
    case '\n':
      return KeyStroke{kEnter, 0};
    case 0x08:
    case 0x7f:
      return KeyStroke{kBackspace, 0};
    case 0x00:
      return KeyStroke{kSpaceKey, kCtrlBit};
    case 0x1c:
      return KeyStroke{vk::kYen, kCtrlBit};
    case 0x1d:
      return KeyStroke{vk::kBracketClose, kCtrlBit};
    case 0x1e:
      return KeyStroke{vk::kCaret, kCtrlBit};
    case 0x1f:
      return KeyStroke{vk::kRo, kCtrlBit};
  }
  if (byte >= 0x01 && byte <= 0x1a)
    return KeyStroke{static_cast<KeyCode>('A' + byte - 1), kCtrlBit};
  if (byte >= 0x20 && byte < 0x7f) return jis_stroke_for(static_cast<char>(byte));
  return std::nullopt;
}

/// The modifiers of an xterm-style parameter: 1 + (Shift 1, Alt 2, Ctrl 4, Meta 8).
std::optional<ModifierMask> modifiers_of(int parameter) {
  if (parameter < 1 || parameter > 16) return std::nullopt;
  const int bits = parameter - 1;
  ModifierMask mask = 0;
  if (bits & 1) mask |= kShiftBit;
  if (bits & 4) mask |= kCtrlBit;
  if (bits & (2 | 8)) mask |= kAltBit;
  return mask;
}

std::optional<KeyCode> key_of_final(char final) {
  switch (final) {
    case 'A':
      return kUp;
    case 'B':
      return kDown;
    case 'C':
      return kRight;
    case 'D':
      return kLeft;
    case 'H':
      return kHome;
    case 'F':
      return kEnd;
    case 'P':
      return kF1;
    case 'Q':
      return kF1 + 1;
    case 'R':
      return kF1 + 2;
    case 'S':
      return kF1 + 3;
  }
  return std::nullopt;
}

std::optional<KeyCode> key_of_tilde_number(int n) {
  switch (n) {
    case 1:
    case 7:
      return kHome;
    case 2:
      return kInsert;
    case 3:
      return kDelete;
    case 4:
    case 8:
      return kEnd;
    case 5:
      return kPageUp;
    case 6:
      return kPageDown;
    case 11:
    case 12:
    case 13:
    case 14:
    case 15:
      return kF1 + (n - 11);
    case 17:
    case 18:
    case 19:
    case 20:
    case 21:
      return kF1 + 5 + (n - 17);
    case 23:
    case 24:
      return kF1 + 10 + (n - 23);
  }
  return std::nullopt;
}

/// The numbers of a CSI sequence's body: up to three parameters split by
/// ";", each with up to three parts split by ":".
struct CsiNumbers {
  static constexpr int kEmpty = -1;
  std::array<std::array<int, 3>, 3> at{
      {{kEmpty, kEmpty, kEmpty}, {kEmpty, kEmpty, kEmpty}, {kEmpty, kEmpty, kEmpty}}};
  std::size_t count = 0;  // parameters
  std::array<bool, 3> has_parts{};
  int get(std::size_t parameter, std::size_t part, int empty) const {
    return at[parameter][part] == kEmpty ? empty : at[parameter][part];
  }
};

std::optional<CsiNumbers> read_numbers(std::string_view body) {
  CsiNumbers numbers;
  std::size_t parameter = 0, part = 0, start = 0;
  for (std::size_t i = 0; i <= body.size(); ++i) {
    const char c = i < body.size() ? body[i] : ';';  // the body ends a parameter
    if (c >= '0' && c <= '9') continue;
    if ((c != ';' && c != ':') || parameter == 3 || part == 3) return std::nullopt;
    const char* first = body.data() + start;
    const char* last = body.data() + i;
    if (first != last && std::from_chars(first, last, numbers.at[parameter][part]).ptr != last) {
      return std::nullopt;  // too big for an int
    }
    if (c == ':') {
      numbers.has_parts[parameter] = true;
      ++part;
    } else {
      ++parameter;
      part = 0;
    }
    start = i + 1;
  }
  numbers.count = parameter;
  return numbers;
}

/// The modifiers of the kitty protocol: 1 + (Shift 1, Alt 2, Ctrl 4), with
/// Super, Hyper, Meta and the lock keys (8 to 128), which the game ignores.
std::optional<ModifierMask> kitty_modifiers_of(int parameter) {
  if (parameter < 1 || parameter > 256) return std::nullopt;
  return modifiers_of(((parameter - 1) & 7) + 1);
}

/// The key of a complete CSI sequence: "ESC [", the parameters and the final
/// byte. With `key_events`, a key's press, repeat or release.
std::optional<KeyStroke> stroke_for_csi(std::string_view body, char final, bool key_events,
                                        bool typed) {
  const auto n = read_numbers(body);
  if (!n) return std::nullopt;
  const int number = n->get(0, 0, 1);
  const int modifier_parameter = n->get(1, 0, 1);
  if (final == 'u' && typed) {  // key:shifted ; modifiers:event ; text
    const auto modifiers = kitty_modifiers_of(modifier_parameter);
    const int event = n->get(1, 1, 1);
    if (!modifiers || event < 1 || event > 2) return std::nullopt;  // releases are not passed on
    return kitty_typed_key(number, n->get(0, 1, 0), n->get(2, 0, 0), *modifiers);
  }
  std::optional<KeyStroke> stroke;
  ModifierMask reported = kShiftBit | kCtrlBit | kAltBit;
  if (final == 'u') {  // the kitty protocol's key:shifted:base
    stroke = kitty_key(number, n->get(0, 2, 0));
  } else if (final == '~' && number == 27 && n->count == 3 && !n->has_parts[2]) {
    // xterm's modified key: the key of its character, with the Shift that
    // the character needs (the layout's Shift went into the character), or
    // a key that types none (Enter, Tab, Esc).
    const int code = n->get(2, 0, 0);
    const bool printable = code >= 0x20 && code < 0x7f;
    stroke = printable ? jis_stroke_for(static_cast<char>(code)) : kitty_key(code, 0);
    if (printable) reported = kCtrlBit | kAltBit;
  } else if (n->count <= 2 && !n->has_parts[0] && (final == '~' || number == 1)) {
    const auto key = final == '~' ? key_of_tilde_number(number) : key_of_final(final);
    if (key) stroke = KeyStroke{*key, 0};
  }
  const auto modifiers =
      key_events ? kitty_modifiers_of(modifier_parameter) : modifiers_of(modifier_parameter);
  const int event = n->get(1, 1, 1);
  if (!stroke || !modifiers || (n->has_parts[1] && !key_events) || event < 1 || event > 3)
    return std::nullopt;
  // A modifier key's own bit is on while it is down.
  const ModifierMask own = stroke->modifiers;
  if (!key_events) {
    stroke->modifiers |= *modifiers & reported;
  } else if (typed) {  // a key that types nothing, tapped on its press
    if (event == 3) return std::nullopt;
    *stroke = {stroke->key, *modifiers};
  } else if (event == 3) {
    *stroke = {stroke->key, static_cast<ModifierMask>(*modifiers & ~own), KeyAction::kUp};
  } else {
    *stroke = {stroke->key, static_cast<ModifierMask>(*modifiers | own), KeyAction::kDown};
  }
  return stroke;
}

}  // namespace

void KeyDecoder::feed(std::string_view bytes, Instant now, std::vector<KeyStroke>& out) {
  // Bytes that come after the wait do not belong to the ESC before them.
  if (const auto due = deadline(); due && now >= *due) expire(out);
  for (unsigned char byte : bytes) {
    if (pending_.empty()) pending_since_ = now;
    feed_byte(byte, out);
  }
}

std::optional<Instant> KeyDecoder::deadline() const {
  if (pending_.empty()) return std::nullopt;
  return pending_since_ + kEscWait;
}

void KeyDecoder::expire(std::vector<KeyStroke>& out) {
  if (pending_.size() == 1) out.push_back({kEscKey, 0});
  pending_.clear();
  overlong_ = false;
}

void KeyDecoder::feed_byte(unsigned char byte, std::vector<KeyStroke>& out) {
  if (pending_.empty()) {
    // Bytes of non-ASCII characters, which no JIS key types, are dropped.
    if (byte == kEsc) {
      pending_.push_back(static_cast<char>(byte));
    } else if (const auto stroke = byte < 0x80 ? stroke_for_byte(byte) : std::nullopt) {
      out.push_back(*stroke);
    }
    return;
  }

  if (pending_.size() == 1) {  // ESC and one more byte
    if (byte == '[' || byte == 'O') {
      pending_.push_back(static_cast<char>(byte));
      return;
    }
    pending_.clear();
    if (byte == kEsc) {
      out.push_back({kEscKey, kAltBit});
    } else if (auto stroke = byte < 0x80 ? stroke_for_byte(byte) : std::nullopt) {
      stroke->modifiers |= kAltBit;  // the ESC prefix is how terminals send Alt
      out.push_back(*stroke);
    }
    return;
  }

  if (pending_[1] == 'O') {  // SS3: one final byte
    pending_.clear();
    if (const auto key = key_of_final(static_cast<char>(byte))) out.push_back({*key, 0});
    return;
  }

  // CSI: parameters and intermediates, then a final byte.
  if (pending_ == "\x1b[" && byte == '[') {  // the Linux console's F1 to F5: ESC [ [ A..E
    pending_.push_back('[');
    return;
  }
  if (pending_ == "\x1b[[") {
    pending_.clear();
    if (byte >= 'A' && byte <= 'E') out.push_back({static_cast<KeyCode>(kF1 + byte - 'A'), 0});
    return;
  }
  if (byte >= 0x20 && byte <= 0x3f) {
    if (pending_.size() < kLongestSequence) {
      pending_.push_back(static_cast<char>(byte));
    } else {
      overlong_ = true;  // read to its end, then dropped
    }
    return;
  }
  const std::string body = pending_.substr(2);
  const bool overlong = std::exchange(overlong_, false);
  pending_.clear();
  if (byte >= 0x40 && byte <= 0x7e) {
    if (body.starts_with('?')) {  // an answer to a question, however long, not a key
      protocol_offered_ |= byte == 'u';
      attributes_answered_ |= byte == 'c';
    } else if (const auto stroke =
                   overlong ? std::nullopt
                            : stroke_for_csi(body, static_cast<char>(byte), key_events_, typed_)) {
      out.push_back(*stroke);
    }
    return;
  }
  // Not part of any sequence: the sequence is dropped, the byte stands alone.
  feed_byte(byte, out);
}

}  // namespace titletype
