// SPDX-License-Identifier: MIT
// What the bytes and escape sequences of a terminal mean as keys of a JIS
// keyboard: a byte on its own, SS3 with its final byte, and CSI sequences
// (the editing, arrow and function keys, xterm's modified keys and the
// kitty keyboard protocol). The decoder finds where a sequence ends; this
// says which key it is.
#pragma once

#include <optional>
#include <string_view>

#include "platform/keys/key_strokes.h"

namespace titletype {

/// How the terminal reports keys: as taps (characters and legacy
/// sequences), or, once the kitty protocol is on, as presses, repeats and
/// releases, read by place or by the text they type.
enum class KeyReports { kTaps, kEvents, kTypedEvents };

/// A printable character by the JIS key that types it, a control character
/// as Ctrl with its key; nothing for other bytes.
std::optional<KeyStroke> stroke_for_byte(unsigned char byte);

/// "ESC O" and `final`: the arrows, Home, End and F1 to F4.
std::optional<KeyStroke> stroke_for_ss3(char final);

/// "ESC [", the parameters `body` and `final`; nothing for a sequence that
/// is no key.
std::optional<KeyStroke> stroke_for_csi(std::string_view body, char final, KeyReports reports);

/// The Linux console's "ESC [ [" and `final`, A to E: F1 to F5.
std::optional<KeyStroke> stroke_for_linux_function(char final);

}  // namespace titletype
