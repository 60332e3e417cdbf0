// Physical keys to virtual-key codes and modifier masks on the JIS layout.
#include "platform/x11/jis_keyboard.h"

#include <gtest/gtest.h>

#include <string>

namespace titletype {
namespace {

// Where the common evdev keycode set puts the keys (X keycode = evdev + 8).
JisKeyboard::KeycodeNames evdev_names() {
  JisKeyboard::KeycodeNames names;
  const std::pair<int, const char*> keys[] = {
      {9, "ESC"},    {10, "AE01"},  {19, "AE10"},  {20, "AE11"},  {21, "AE12"},  {22, "BKSP"},
      {24, "AD01"},  {34, "AD11"},  {35, "AD12"},  {36, "RTRN"},  {37, "LCTL"},  {38, "AC01"},
      {47, "AC10"},  {48, "AC11"},  {49, "TLDE"},  {50, "LFSH"},  {51, "BKSL"},  {52, "AB01"},
      {59, "AB08"},  {60, "AB09"},  {61, "AB10"},  {62, "RTSH"},  {64, "LALT"},  {65, "SPCE"},
      {66, "CAPS"},  {67, "FK01"},  {90, "KP0"},   {91, "KPDL"},  {97, "AB11"},  {100, "HENK"},
      {101, "HKTG"}, {102, "MUHE"}, {105, "RCTL"}, {108, "RALT"}, {110, "HOME"}, {112, "PGUP"},
      {113, "LEFT"}, {116, "DOWN"}, {118, "INS"},  {119, "DELE"}, {132, "AE13"}, {135, "COMP"},
      {79, "KP7"},   {87, "KP1"},   {84, "KP5"},   {77, "NMLK"},  {106, "KPDV"}, {96, "FK12"}};
  for (const auto& [code, name] : keys) names[code] = name;
  return names;
}

TEST(JisKeyboardTest, EveryKeyGivesItsJisCode) {
  JisKeyboard keyboard(evdev_names());
  const struct {
    int keycode;
    NumLock num_lock;
    KeyCode expected;
  } cases[] = {
      {9, NumLock::kOff, 27},
      {10, NumLock::kOff, '1'},
      {19, NumLock::kOff, '0'},
      {20, NumLock::kOff, 189},
      {21, NumLock::kOff, 222},
      {132, NumLock::kOff, 220},
      {22, NumLock::kOff, 8},
      {24, NumLock::kOff, 'Q'},
      {34, NumLock::kOff, 192},
      {35, NumLock::kOff, 219},
      {36, NumLock::kOff, 13},
      {66, NumLock::kOff, 240},
      {38, NumLock::kOff, 'A'},
      {47, NumLock::kOff, 187},
      {48, NumLock::kOff, 186},
      {51, NumLock::kOff, 221},
      {52, NumLock::kOff, 'Z'},
      {59, NumLock::kOff, 188},
      {60, NumLock::kOff, 190},
      {61, NumLock::kOff, 191},
      {97, NumLock::kOff, 226},
      {49, NumLock::kOff, 243},
      {65, NumLock::kOff, 32},
      {100, NumLock::kOff, 28},
      {101, NumLock::kOff, 242},
      {102, NumLock::kOff, 29},
      {67, NumLock::kOff, 112},
      {96, NumLock::kOff, 123},
      {110, NumLock::kOff, 36},
      {112, NumLock::kOff, 33},
      {113, NumLock::kOff, 37},
      {116, NumLock::kOff, 40},
      {118, NumLock::kOff, 45},
      {119, NumLock::kOff, 46},
      {135, NumLock::kOff, 93},
      {77, NumLock::kOff, 144},
      {106, NumLock::kOff, 111},
      // The keypad follows NumLock.
      {90, NumLock::kOn, 96},
      {90, NumLock::kOff, 45},
      {79, NumLock::kOn, 103},
      {79, NumLock::kOff, 36},
      {87, NumLock::kOn, 97},
      {87, NumLock::kOff, 35},
      {84, NumLock::kOn, 101},
      {84, NumLock::kOff, 12},
      {91, NumLock::kOn, 110},
      {91, NumLock::kOff, 46},
  };
  for (const auto& c : cases) {
    const auto event = keyboard.press(c.keycode, c.num_lock);
    ASSERT_TRUE(event) << c.keycode;
    EXPECT_EQ(event->key, c.expected) << "keycode " << c.keycode;
    keyboard.release(c.keycode, c.num_lock);
  }
  EXPECT_EQ(keyboard.press(200, NumLock::kOff), std::nullopt) << "no such key";
  EXPECT_EQ(keyboard.press(-1, NumLock::kOff), std::nullopt);
  EXPECT_EQ(keyboard.press(256, NumLock::kOff), std::nullopt);
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
