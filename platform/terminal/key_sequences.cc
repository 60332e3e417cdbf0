// SPDX-License-Identifier: MIT
#include "platform/terminal/key_sequences.h"

#include "game/virtual_keys.h"
#include "platform/keys/jis_characters.h"
#include "platform/terminal/csi_parameters.h"
#include "platform/terminal/kitty_keys.h"

namespace titletype {

namespace {

using vk::kBackspace, vk::kClear, vk::kDelete, vk::kDown, vk::kEnd, vk::kEnter, vk::kF1, vk::kHome,
    vk::kInsert, vk::kLeft, vk::kPageDown, vk::kPageUp, vk::kRight, vk::kTab, vk::kUp;

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
    case 'E':  // the keypad's 5 with NumLock off (Begin)
      return kClear;
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

/// The modifiers of the kitty protocol: 1 + (Shift 1, Alt 2, Ctrl 4), with
/// Super, Hyper, Meta and the lock keys (8 to 128), which the game ignores.
std::optional<ModifierMask> kitty_modifiers_of(int parameter) {
  if (parameter < 1 || parameter > 256) return std::nullopt;
  return modifiers_of(((parameter - 1) & 7) + 1);
}

}  // namespace

std::optional<KeyStroke> stroke_for_csi(std::string_view body, char final, KeyReports reports) {
  const bool key_events = reports != KeyReports::kTaps;
  const bool typed = reports == KeyReports::kTypedEvents;
  const auto n = parse_csi_parameters(body);
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
    stroke->modifiers = static_cast<ModifierMask>(stroke->modifiers | (*modifiers & reported));
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
      return KeyStroke{vk::kSpace, kCtrlBit};
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

std::optional<KeyStroke> stroke_for_ss3(char final) {
  const auto key = key_of_final(final);
  return key ? std::optional(KeyStroke{*key, 0}) : std::nullopt;
}

std::optional<KeyStroke> stroke_for_linux_function(char final) {
  if (final < 'A' || final > 'E') return std::nullopt;
  return KeyStroke{static_cast<KeyCode>(kF1 + final - 'A'), 0};
}

}  // namespace titletype
