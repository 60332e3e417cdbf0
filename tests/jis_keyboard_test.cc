// SPDX-License-Identifier: MIT
// Physical keys to virtual-key codes and modifier masks on the JIS layout.
#include "platform/x11/jis_keyboard.h"

#include <gtest/gtest.h>

#include <string>

namespace titletype {
namespace {

// Where the common evdev keycode set puts the keys (X keycode = evdev + 8),
// and the codes they give; the keypad's with NumLock on, then off.
struct Key {
  int keycode;
  const char* name;
  KeyCode code, num_lock_off_code = code;
};
const Key kKeys[] = {
    {9, "ESC", 27},       {10, "AE01", '1'},   {19, "AE10", '0'},    {20, "AE11", 189},
    {21, "AE12", 222},    {132, "AE13", 220},  {22, "BKSP", 8},      {24, "AD01", 'Q'},
    {34, "AD11", 192},    {35, "AD12", 219},   {36, "RTRN", 13},     {66, "CAPS", 240},
    {38, "AC01", 'A'},    {47, "AC10", 187},   {48, "AC11", 186},    {51, "BKSL", 221},
    {52, "AB01", 'Z'},    {59, "AB08", 188},   {60, "AB09", 190},    {61, "AB10", 191},
    {97, "AB11", 226},    {49, "TLDE", 243},   {65, "SPCE", 32},     {100, "HENK", 28},
    {101, "HKTG", 242},   {102, "MUHE", 29},   {67, "FK01", 112},    {96, "FK12", 123},
    {110, "HOME", 36},    {112, "PGUP", 33},   {113, "LEFT", 37},    {116, "DOWN", 40},
    {118, "INS", 45},     {119, "DELE", 46},   {135, "COMP", 93},    {77, "NMLK", 144},
    {106, "KPDV", 111},   {50, "LFSH", 16},    {62, "RTSH", 16},     {37, "LCTL", 17},
    {105, "RCTL", 17},    {64, "LALT", 18},    {108, "RALT", 18},    {90, "KP0", 96, 45},
    {79, "KP7", 103, 36}, {87, "KP1", 97, 35}, {84, "KP5", 101, 12}, {91, "KPDL", 110, 46}};

JisKeyboard::KeycodeNames evdev_names() {
  JisKeyboard::KeycodeNames names;
  for (const Key& key : kKeys) names[key.keycode] = key.name;
  return names;
}

TEST(JisKeyboardTest, EveryKeyGivesItsJisCode) {
  JisKeyboard keyboard(evdev_names());
  const auto code = [&](int keycode, NumLock num_lock) -> std::optional<KeyCode> {
    const auto event = keyboard.press(keycode, num_lock);
    keyboard.release(keycode, num_lock);
    return event ? std::optional(event->key) : std::nullopt;
  };
  for (const Key& key : kKeys) {
    EXPECT_EQ(code(key.keycode, NumLock::kOn), key.code) << key.name;
    EXPECT_EQ(code(key.keycode, NumLock::kOff), key.num_lock_off_code) << key.name;
  }
  for (int no_key : {200, -1, 256}) EXPECT_EQ(code(no_key, NumLock::kOff), std::nullopt);
}

TEST(JisKeyboardTest, KeysAreFoundByNameWhateverTheirNumbers) {
  // Another server numbers its keys differently; only the names count.
  JisKeyboard::KeycodeNames names;
  names[8] = "AC11";
  names[9] = "HZTG";  // an alias
  names[200] = "RTSH";
  JisKeyboard keyboard(names);
  EXPECT_EQ(keyboard.press(8, NumLock::kOff), (KeyEvent{186, 0}));
  EXPECT_EQ(keyboard.press(9, NumLock::kOff), (KeyEvent{243, 0}));
  EXPECT_EQ(keyboard.press(200, NumLock::kOff), (KeyEvent{16, kShiftBit}));
  EXPECT_EQ(keyboard.press(8, NumLock::kOff), (KeyEvent{186, kShiftBit}));
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
