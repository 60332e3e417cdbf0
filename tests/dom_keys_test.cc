// SPDX-License-Identifier: MIT
// The browser's names of physical keys to the codes of a JIS keyboard.
#include "platform/web/dom_keys.h"

#include <gtest/gtest.h>

namespace titletype {
namespace {

TEST(DomKeysTest, EveryKeyByItsPositionNotItsCharacter) {
  const std::pair<const char*, KeyCode> keys[] = {
      {"Quote", 186},     {"Semicolon", 187}, {"BracketLeft", 192}, {"BracketRight", 219},
      {"Backslash", 221}, {"Equal", 222},     {"IntlYen", 220},     {"IntlRo", 226},
      {"Minus", 189},     {"Comma", 188},     {"Period", 190},      {"Slash", 191},
      {"Backquote", 243}, {"KeyA", 'A'},      {"KeyZ", 'Z'},        {"KeyP", 'P'},
      {"KeyM", 'M'},      {"Digit1", '1'},    {"Digit0", '0'},      {"Digit9", '9'},
      {"F1", 112},        {"F10", 121},       {"F12", 123},         {"Escape", 27},
      {"Space", 32},      {"ShiftLeft", 16},  {"ShiftRight", 16},   {"ControlRight", 17},
      {"AltLeft", 18},    {"PageUp", 33},     {"ArrowLeft", 37},    {"ArrowDown", 40},
      {"Insert", 45},     {"Delete", 46},     {"NonConvert", 29},   {"Convert", 28},
      {"KanaMode", 242},  {"CapsLock", 240},  {"NumpadAdd", 107},   {"NumpadEnter", 13}};
  for (const auto& [code, expected] : keys) {
    EXPECT_EQ(jis_key_for_dom_code(code, NumLock::kOn), expected) << code;
    EXPECT_EQ(jis_key_for_dom_code(code, NumLock::kOff), expected) << code;
  }
  // The keypad follows NumLock.
  EXPECT_EQ(jis_key_for_dom_code("Numpad0", NumLock::kOn), 96);
  EXPECT_EQ(jis_key_for_dom_code("Numpad0", NumLock::kOff), 45);
  EXPECT_EQ(jis_key_for_dom_code("Numpad9", NumLock::kOn), 105);
  EXPECT_EQ(jis_key_for_dom_code("NumpadDecimal", NumLock::kOff), 46);
  for (const char* none : {"", "Key", "KeyAA", "Keya", "Digit", "DigitX", "F", "F0", "F13", "F1x",
                           "Numpad", "Lang1", "AudioVolumeUp"}) {
    EXPECT_EQ(jis_key_for_dom_code(none, NumLock::kOn), std::nullopt) << none;
  }
}

}  // namespace
}  // namespace titletype
