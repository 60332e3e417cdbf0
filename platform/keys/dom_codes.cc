// SPDX-License-Identifier: MIT
#include "platform/keys/dom_codes.h"

#include <cctype>
#include <charconv>
#include <string>

namespace titletype {

namespace {

// A browser's name of each key beside the XKB name of the same position,
// whose code the shared JIS table gives.
constexpr std::pair<std::string_view, std::string_view> kNamedKeys[] = {
    {"Escape", "ESC"},
    {"Backquote", "TLDE"},
    {"Minus", "AE11"},
    {"Equal", "AE12"},
    {"IntlYen", "AE13"},
    {"Backspace", "BKSP"},
    {"Tab", "TAB"},
    {"BracketLeft", "AD11"},
    {"BracketRight", "AD12"},
    {"Enter", "RTRN"},
    {"CapsLock", "CAPS"},
    {"Semicolon", "AC10"},
    {"Quote", "AC11"},
    {"Backslash", "BKSL"},
    {"Comma", "AB08"},
    {"Period", "AB09"},
    {"Slash", "AB10"},
    {"IntlRo", "AB11"},
    {"ShiftLeft", "LFSH"},
    {"ShiftRight", "RTSH"},
    {"ControlLeft", "LCTL"},
    {"ControlRight", "RCTL"},
    {"AltLeft", "LALT"},
    {"AltRight", "RALT"},
    {"MetaLeft", "LWIN"},
    {"MetaRight", "RWIN"},
    {"ContextMenu", "COMP"},
    {"NonConvert", "MUHE"},
    {"Space", "SPCE"},
    {"Convert", "HENK"},
    {"KanaMode", "HKTG"},
    {"PrintScreen", "PRSC"},
    {"ScrollLock", "SCLK"},
    {"Pause", "PAUS"},
    {"Insert", "INS"},
    {"Delete", "DELE"},
    {"Home", "HOME"},
    {"End", "END"},
    {"PageUp", "PGUP"},
    {"PageDown", "PGDN"},
    {"ArrowLeft", "LEFT"},
    {"ArrowUp", "UP"},
    {"ArrowRight", "RGHT"},
    {"ArrowDown", "DOWN"},
    {"NumLock", "NMLK"},
    {"NumpadDivide", "KPDV"},
    {"NumpadMultiply", "KPMU"},
    {"NumpadSubtract", "KPSU"},
    {"NumpadAdd", "KPAD"},
    {"NumpadEnter", "KPEN"},
    {"NumpadDecimal", "KPDL"},
};

// The letter rows, left to right, as XKB numbers their positions.
constexpr std::pair<std::string_view, std::string_view> kLetterRows[] = {
    {"QWERTYUIOP", "AD"}, {"ASDFGHJKL", "AC"}, {"ZXCVBNM", "AB"}};

/// The XKB name of the key with the browser's name `code`, or "".
std::string xkb_name(std::string_view code) {
  for (const auto& [dom, xkb] : kNamedKeys) {
    if (code == dom) return std::string(xkb);
  }
  const auto suffix = [&](std::string_view prefix) {
    return code.starts_with(prefix) ? code.substr(prefix.size()) : std::string_view();
  };
  if (const auto letter = suffix("Key"); letter.size() == 1) {
    for (const auto& [letters, row] : kLetterRows) {
      if (const auto i = letters.find(letter[0]); i != std::string_view::npos) {
        return xkb_position(row, i + 1);
      }
    }
  }
  const auto one_digit = [](std::string_view text) {
    return text.size() == 1 && std::isdigit(static_cast<unsigned char>(text[0]));
  };
  if (const auto digit = suffix("Digit"); one_digit(digit)) {
    return xkb_position("AE", digit[0] == '0' ? 10 : static_cast<std::size_t>(digit[0] - '0'));
  }
  if (const auto digit = suffix("Numpad"); one_digit(digit)) return "KP" + std::string(digit);
  std::size_t n = 0;  // F1 to F12; an empty or partly numeric name leaves it 0 or fails
  if (const auto number = suffix("F");
      std::from_chars(number.data(), number.data() + number.size(), n).ptr ==
          number.data() + number.size() &&
      n >= 1 && n <= 12) {
    return xkb_position("FK", n);
  }
  return "";
}

}  // namespace

std::optional<KeyCode> jis_key_for_dom_code(std::string_view code, NumLock num_lock) {
  return jis_virtual_key(xkb_name(code), num_lock);  // no key has the name ""
}

}  // namespace titletype
