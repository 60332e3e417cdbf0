// SPDX-License-Identifier: MIT
#include "platform/keys/keysym_keys.h"

namespace titletype {

namespace {

// Keysym ranges, as X11's keysymdef.h and xkbcommon's keysyms number them.
constexpr uint32_t kUnicodeBase = 0x01000000;                // U+XXXX is 0x01000000 + XXXX
constexpr uint32_t kDeadFirst = 0xfe50, kDeadLast = 0xfe93;  // dead_grave...dead_longsolidusoverlay
constexpr uint32_t kShiftL = 0xffe1,
                   kHyperR = 0xffee;  // Shift, Ctrl, Caps, Meta, Alt, Super, Hyper
constexpr uint32_t kIsoLock = 0xfe01, kIsoLevel5Lock = 0xfe13;  // AltGr and the other ISO levels
constexpr uint32_t kModeSwitch = 0xff7e, kNumLock = 0xff7f;
constexpr uint32_t kKeypadAndFunctionKeys = 0xfe00;  // from here on no keysym is a character

/// The character of a keysym: Unicode keysyms and Latin-1 are their code
/// point; the legacy sets (Greek, Cyrillic...) are some character beyond
/// ASCII; keypad, function and other keys are none.
char32_t keysym_text(uint32_t keysym) {
  if (keysym >= kUnicodeBase) return keysym - kUnicodeBase;
  if (keysym >= 0x20 && keysym < 0x100) return keysym;
  if (keysym >= 0x100 && keysym < kKeypadAndFunctionKeys) return 0xfffd;
  return 0;
}

bool is_modifier_keysym(uint32_t keysym) {
  return (keysym >= kShiftL && keysym <= kHyperR) ||
         (keysym >= kIsoLock && keysym <= kIsoLevel5Lock) || keysym == kModeSwitch ||
         keysym == kNumLock;
}

}  // namespace

TypedKey keysym_typed_key(uint32_t keysym, char32_t text) {
  return {.text = text ? text : keysym_text(keysym),
          .composing = keysym >= kDeadFirst && keysym <= kDeadLast,
          .modifier_key = is_modifier_keysym(keysym)};
}

}  // namespace titletype
