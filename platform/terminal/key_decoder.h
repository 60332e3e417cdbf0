// SPDX-License-Identifier: MIT
// Turns the bytes that a terminal sends into key strokes on a JIS keyboard:
// printable characters by the key that types them, control characters as
// Ctrl with their letter key, an ESC prefix as Alt, and the escape sequences
// of the editing, arrow and function keys as those keys.
//
// A lone ESC is the Esc key; it is told from the start of a sequence by
// waiting at most kEscWait for the next byte. Unknown or malformed sequences
// are dropped whole, never typed as characters.
//
// It also reads the keys of terminals that say more: xterm's modified keys
// (CSI 27 ; modifiers ; character ~) and the kitty keyboard protocol
// (CSI key ; modifiers : event u), which reports presses, repeats and
// releases of every key, lone modifiers included, once it is turned on.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host/clock.h"
#include "platform/keys/jis_characters.h"
#include "platform/keys/key_model.h"
#include "platform/terminal/key_sequences.h"

namespace titletype {

class KeyDecoder {
 public:
  static constexpr Instant kEscWait = std::chrono::milliseconds(50);

  /// Decodes `bytes`, read at `now`, adding the strokes they complete.
  void feed(std::string_view bytes, Instant now, std::vector<KeyStroke>& out);

  /// When an unfinished ESC must be decided; nothing if none is pending.
  std::optional<Instant> deadline() const;
  /// Decides at the deadline: a lone ESC is Esc, a partial sequence is
  /// dropped.
  void expire(std::vector<KeyStroke>& out);

  /// Whether the terminal answered that it speaks the kitty protocol.
  bool protocol_offered() const { return protocol_offered_; }
  /// Whether it answered the request for its attributes, which every
  /// terminal answers last.
  bool attributes_answered() const { return attributes_answered_; }
  /// From now on the terminal reports key events: a key without an event
  /// type is a press, and modifiers are read as that protocol counts them.
  /// With `typed`, a key is the character it typed, as a tap on its press.
  void read_key_events(KeyModel keys = KeyModel::kPosition) {
    key_events_ = true;
    typed_ = keys == KeyModel::kTyped;
  }

 private:
  /// Where the decoder is in a sequence, as in the DEC ANSI parser's
  /// diagram: nothing pending, after ESC, in a CSI sequence (just after
  /// "ESC [", then in its parameters), after SS3 ("ESC O"), after the Linux
  /// console's "ESC [ [".
  enum class State { kGround, kEscape, kCsiEntry, kCsiParameters, kSs3, kLinuxFunction };

  void feed_byte(unsigned char byte, Instant now, std::vector<KeyStroke>& out);
  /// The final byte of a CSI sequence.
  void finish_csi(unsigned char final, std::vector<KeyStroke>& out);
  KeyReports reports() const;

  State state_ = State::kGround;
  std::string parameters_;   // of the CSI sequence being read
  Instant pending_since_{};  // when the ESC that began it came
  bool overlong_ = false;    // the pending sequence grew too long to be a key
  bool protocol_offered_ = false;
  bool attributes_answered_ = false;
  bool key_events_ = false;
  bool typed_ = false;
};

}  // namespace titletype
