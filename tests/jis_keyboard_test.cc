// SPDX-License-Identifier: MIT
// Physical keys, by their X and their browser names, to virtual-key codes
// and modifier masks on the JIS layout.
#include "platform/x11/jis_keyboard.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "platform/web/dom_keys.h"

namespace titletype {
namespace {

TEST(JisKeysTest, EveryKeyByItsXkbAndBrowserName) {
  // Both names of one key give one code, whatever NumLock.
  const auto expect_key = [](const std::string& xkb, const std::string& dom, KeyCode code) {
    for (NumLock num_lock : {NumLock::kOn, NumLock::kOff}) {
      EXPECT_EQ(jis_virtual_key(xkb, num_lock), code) << xkb;
      if (!dom.empty()) {
        EXPECT_EQ(jis_key_for_dom_code(dom, num_lock), code) << dom;
      }
    }
  };
  // Letters and digits give their legends' codes; F1 to F12 are 112 to 123.
  const std::pair<const char*, std::string_view> rows[] = {
      {"AE", "1234567890"}, {"AD", "QWERTYUIOP"}, {"AC", "ASDFGHJKL"}, {"AB", "ZXCVBNM"}};
  for (const auto& [row, legends] : rows)
    for (std::size_t i = 0; i < legends.size(); ++i) {
      const std::string dom = (row[1] == 'E' ? "Digit" : "Key") + std::string(1, legends[i]);
      expect_key(xkb_position(row, int(i) + 1), dom, legends[i]);
    }
  for (int n = 1; n <= 12; ++n) expect_key(xkb_position("FK", n), "F" + std::to_string(n), 111 + n);
  // clang-format off
  const std::tuple<const char*, const char*, KeyCode> keys[] = {
      {"ESC", "Escape", 27}, {"TLDE", "Backquote", 243}, {"HZTG", "", 243},
      {"AE11", "Minus", 189}, {"AE12", "Equal", 222}, {"AE13", "IntlYen", 220},
      {"BKSP", "Backspace", 8}, {"TAB", "Tab", 9}, {"AD11", "BracketLeft", 192},
      {"AD12", "BracketRight", 219}, {"RTRN", "Enter", 13}, {"CAPS", "CapsLock", 240},
      {"AC10", "Semicolon", 187}, {"AC11", "Quote", 186}, {"BKSL", "Backslash", 221},
      {"AC12", "", 221}, {"AB08", "Comma", 188}, {"AB09", "Period", 190},
      {"AB10", "Slash", 191}, {"AB11", "IntlRo", 226}, {"LFSH", "ShiftLeft", 16},
      {"RTSH", "ShiftRight", 16}, {"LCTL", "ControlLeft", 17}, {"RCTL", "ControlRight", 17},
      {"LALT", "AltLeft", 18}, {"RALT", "AltRight", 18}, {"ALGR", "", 18},
      {"LWIN", "MetaLeft", 91}, {"RWIN", "MetaRight", 92}, {"COMP", "ContextMenu", 93},
      {"MENU", "", 93}, {"MUHE", "NonConvert", 29}, {"SPCE", "Space", 32},
      {"HENK", "Convert", 28}, {"HKTG", "KanaMode", 242}, {"PRSC", "PrintScreen", 44},
      {"SCLK", "ScrollLock", 145}, {"PAUS", "Pause", 19}, {"INS", "Insert", 45},
      {"DELE", "Delete", 46}, {"HOME", "Home", 36}, {"END", "End", 35},
      {"PGUP", "PageUp", 33}, {"PGDN", "PageDown", 34}, {"LEFT", "ArrowLeft", 37},
      {"UP", "ArrowUp", 38}, {"RGHT", "ArrowRight", 39}, {"DOWN", "ArrowDown", 40},
      {"NMLK", "NumLock", 144}, {"KPDV", "NumpadDivide", 111}, {"KPMU", "NumpadMultiply", 106},
      {"KPSU", "NumpadSubtract", 109}, {"KPAD", "NumpadAdd", 107}, {"KPEN", "NumpadEnter", 13}};
  // clang-format on
  for (const auto& [xkb, dom, code] : keys) expect_key(xkb, dom, code);
  // The keypad: its digits with NumLock on, the editing keys it doubles as
  // with NumLock off.
  const std::tuple<const char*, KeyCode, KeyCode> keypad[] = {
      {"KP0", 96, 45},  {"KP1", 97, 35},  {"KP2", 98, 40},  {"KP3", 99, 34},
      {"KP4", 100, 37}, {"KP5", 101, 12}, {"KP6", 102, 39}, {"KP7", 103, 36},
      {"KP8", 104, 38}, {"KP9", 105, 33}, {"KPDL", 110, 46}};
  for (const auto& [name, on, off] : keypad) {
    const std::string dom = name[2] == 'D' ? "NumpadDecimal" : "Numpad" + std::string(name + 2);
    for (const auto& [num_lock, code] : {std::pair{NumLock::kOn, on}, {NumLock::kOff, off}}) {
      EXPECT_EQ(jis_virtual_key(name, num_lock), code) << name;
      EXPECT_EQ(jis_key_for_dom_code(dom, num_lock), code) << dom;
    }
  }
  for (const char* none : {"", "FK13", "AE14", "I147", "esc"})
    EXPECT_EQ(jis_virtual_key(none, NumLock::kOn), std::nullopt) << none;
  for (const char* none : {"", "Key", "KeyAA", "Keya", "Digit", "DigitX", "F", "F0", "F13", "F1x",
                           "Numpad", "Lang1", "AudioVolumeUp", "ESC"})
    EXPECT_EQ(jis_key_for_dom_code(none, NumLock::kOn), std::nullopt) << none;
}

// Where the common evdev keycode set puts some keys (X keycode = evdev + 8).
JisKeyboard::KeycodeNames evdev_names() {
  constexpr std::pair<int, const char*> kNames[] = {{9, "ESC"},    {38, "AC01"}, {50, "LFSH"},
                                                    {62, "RTSH"},  {65, "SPCE"}, {90, "KP0"},
                                                    {105, "RCTL"}, {108, "RALT"}};
  JisKeyboard::KeycodeNames names;
  for (const auto& [keycode, name] : kNames) names[keycode] = name;
  return names;
}

TEST(JisKeyboardTest, KeycodesGiveTheCodesOfTheirNames) {
  JisKeyboard keyboard(evdev_names());
  EXPECT_EQ(keyboard.press(9, NumLock::kOff), (KeyEvent{27, 0}));
  EXPECT_EQ(keyboard.release(9, NumLock::kOff), (KeyEvent{27, 0}));
  EXPECT_EQ(keyboard.press(90, NumLock::kOn), (KeyEvent{96, 0}));
  EXPECT_EQ(keyboard.press(90, NumLock::kOff), (KeyEvent{45, 0}));
  for (int no_key : {10, 200, -1, 256}) {
    EXPECT_EQ(keyboard.press(no_key, NumLock::kOff), std::nullopt) << no_key;
    EXPECT_EQ(keyboard.release(no_key, NumLock::kOff), std::nullopt) << no_key;
  }
}

TEST(JisKeyboardTest, ModifierMaskIncludesTheKeyItselfAndFollowsTheKeys) {
  JisKeyboard keyboard(evdev_names());
  const NumLock off = NumLock::kOff;
  EXPECT_EQ(keyboard.press(50, off), (KeyEvent{16, kShiftBit}));  // left Shift
  EXPECT_EQ(keyboard.press(62, off), (KeyEvent{16, kShiftBit}));  // right Shift too
  EXPECT_EQ(keyboard.release(50, off), (KeyEvent{16, kShiftBit})) << "right still down";
  EXPECT_EQ(keyboard.release(62, off), (KeyEvent{16, 0}));
  EXPECT_EQ(keyboard.press(105, off), (KeyEvent{17, kCtrlBit}));            // right Ctrl
  EXPECT_EQ(keyboard.press(108, off), (KeyEvent{18, kCtrlBit | kAltBit}));  // right Alt
  EXPECT_EQ(keyboard.press(65, off), (KeyEvent{32, kCtrlBit | kAltBit}));
  EXPECT_EQ(keyboard.press(65, off), (KeyEvent{32, kCtrlBit | kAltBit})) << "auto-repeat";

  // Focus came back after Ctrl and Alt were let go elsewhere, and left
  // Shift went down: the server's view wins.
  JisKeyboard::KeycodeSet down;
  down.set(50);
  down.set(38);
  keyboard.resync(down);
  EXPECT_EQ(keyboard.press(38, off), (KeyEvent{'A', kShiftBit}));
}

}  // namespace
}  // namespace titletype
