// SPDX-License-Identifier: MIT
// Physical keys to virtual-key codes and modifier masks on the JIS layout.
#include "platform/x11/jis_keyboard.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace titletype {
namespace {

/// "AE01" from "AE" and 1: XKB's name of a key by its row and place.
std::string named(const std::string& row, int place) {
  return row + char('0' + place / 10) + char('0' + place % 10);
}

TEST(JisKeysTest, EveryKeyByItsXkbName) {
  // Letters and digits give their legends' codes; F1 to F12 are 112 to 123.
  const std::pair<const char*, std::string_view> rows[] = {
      {"AE", "1234567890"}, {"AD", "QWERTYUIOP"}, {"AC", "ASDFGHJKL"}, {"AB", "ZXCVBNM"}};
  for (const auto& [row, legends] : rows) {
    for (std::size_t i = 0; i < legends.size(); ++i) {
      EXPECT_EQ(jis_virtual_key(named(row, int(i) + 1), NumLock::kOff), legends[i]) << row << i;
    }
  }
  for (int n = 1; n <= 12; ++n) EXPECT_EQ(jis_virtual_key(named("FK", n), NumLock::kOn), 111 + n);
  // The other keys, aliases included, whatever NumLock.
  const std::pair<const char*, KeyCode> keys[] = {
      {"ESC", 27},   {"TLDE", 243}, {"HZTG", 243}, {"AE11", 189}, {"AE12", 222}, {"AE13", 220},
      {"BKSP", 8},   {"TAB", 9},    {"AD11", 192}, {"AD12", 219}, {"RTRN", 13},  {"CAPS", 240},
      {"AC10", 187}, {"AC11", 186}, {"BKSL", 221}, {"AC12", 221}, {"AB08", 188}, {"AB09", 190},
      {"AB10", 191}, {"AB11", 226}, {"LFSH", 16},  {"RTSH", 16},  {"LCTL", 17},  {"RCTL", 17},
      {"LALT", 18},  {"RALT", 18},  {"ALGR", 18},  {"LWIN", 91},  {"RWIN", 92},  {"COMP", 93},
      {"MENU", 93},  {"MUHE", 29},  {"SPCE", 32},  {"HENK", 28},  {"HKTG", 242}, {"PRSC", 44},
      {"SCLK", 145}, {"PAUS", 19},  {"INS", 45},   {"DELE", 46},  {"HOME", 36},  {"END", 35},
      {"PGUP", 33},  {"PGDN", 34},  {"LEFT", 37},  {"UP", 38},    {"RGHT", 39},  {"DOWN", 40},
      {"NMLK", 144}, {"KPDV", 111}, {"KPMU", 106}, {"KPSU", 109}, {"KPAD", 107}, {"KPEN", 13}};
  for (const auto& [name, code] : keys) {
    EXPECT_EQ(jis_virtual_key(name, NumLock::kOn), code) << name;
    EXPECT_EQ(jis_virtual_key(name, NumLock::kOff), code) << name;
  }
  // The keypad: its digits with NumLock on, the editing keys it doubles as
  // with NumLock off.
  const std::tuple<const char*, KeyCode, KeyCode> keypad[] = {
      {"KP0", 96, 45},  {"KP1", 97, 35},  {"KP2", 98, 40},  {"KP3", 99, 34},
      {"KP4", 100, 37}, {"KP5", 101, 12}, {"KP6", 102, 39}, {"KP7", 103, 36},
      {"KP8", 104, 38}, {"KP9", 105, 33}, {"KPDL", 110, 46}};
  for (const auto& [name, on, off] : keypad) {
    EXPECT_EQ(jis_virtual_key(name, NumLock::kOn), on) << name;
    EXPECT_EQ(jis_virtual_key(name, NumLock::kOff), off) << name;
  }
  for (const char* none : {"", "FK13", "AE14", "I147", "esc"}) {
    EXPECT_EQ(jis_virtual_key(none, NumLock::kOn), std::nullopt) << none;
  }
}

// Where the common evdev keycode set puts some keys (X keycode = evdev + 8).
JisKeyboard::KeycodeNames evdev_names() {
  JisKeyboard::KeycodeNames names;
  for (const auto& [keycode, name] : {std::pair{9, "ESC"},
                                      {38, "AC01"},
                                      {50, "LFSH"},
                                      {62, "RTSH"},
                                      {65, "SPCE"},
                                      {90, "KP0"},
                                      {105, "RCTL"},
                                      {108, "RALT"}}) {
    names[keycode] = name;
  }
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
