// SPDX-License-Identifier: MIT
// Physical keys, by their X and their browser names, to virtual-key codes
// and modifier masks on the JIS layout.
#include "platform/keys/jis_keyboard.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "game/virtual_keys.h"
#include "platform/keys/dom_codes.h"
#include "platform/keys/scan_codes.h"
#include "tests/printers.h"

namespace titletype {
namespace {

using namespace vk;

TEST(JisKeysTest, EveryKeyByItsXkbBrowserAndScanName) {
  // All names of one key give one code, whatever NumLock (the keypad `off`
  // without it). Scan codes above 0xff are E0 ones; 0 where there is none.
  const auto expect_key = [](const std::string& xkb, const std::string& dom, unsigned scan,
                             KeyCode on, KeyCode off = 0) {
    for (NumLock num_lock : {NumLock::kOn, NumLock::kOff}) {
      const KeyCode code = num_lock == NumLock::kOff && off ? off : on;
      EXPECT_EQ(jis_virtual_key(xkb, num_lock), code) << xkb;
      if (!dom.empty()) {
        EXPECT_EQ(jis_key_for_dom_code(dom, num_lock), code) << dom;
      }
      if (scan) {
        EXPECT_EQ(jis_key_for_scan_code(scan & 0xff, scan > 0xff, num_lock), code) << xkb;
      }
    }
  };
  // Letters and digits give their legends' codes; F1 to F12 are 112 to 123.
  const std::tuple<const char*, std::string_view, unsigned> rows[] = {{"AE", "1234567890", 0x02},
                                                                      {"AD", "QWERTYUIOP", 0x10},
                                                                      {"AC", "ASDFGHJKL", 0x1e},
                                                                      {"AB", "ZXCVBNM", 0x2c}};
  for (const auto& [row, legends, scan] : rows)
    for (std::size_t i = 0; i < legends.size(); ++i) {
      const std::string dom = (row[1] == 'E' ? "Digit" : "Key") + std::string(1, legends[i]);
      expect_key(xkb_position(row, int(i) + 1), dom, scan + unsigned(i), legends[i]);
    }
  for (int n = 1; n <= 12; ++n)
    expect_key(xkb_position("FK", n), "F" + std::to_string(n), n <= 10 ? 0x3a + n : 0x4c + n,
               static_cast<KeyCode>(kF1 + n - 1));
  // clang-format off
  const std::tuple<const char*, const char*, unsigned, KeyCode> keys[] = {
      {"ESC", "Escape", 0x01, kEsc}, {"TLDE", "Backquote", 0x29, kHankaku},
      {"HZTG", "", 0, kHankaku}, {"AE11", "Minus", 0x0c, kMinus}, {"AE12", "Equal", 0x0d, kCaret},
      {"AE13", "IntlYen", 0x7d, kYen}, {"BKSP", "Backspace", 0x0e, kBackspace},
      {"TAB", "Tab", 0x0f, kTab}, {"AD11", "BracketLeft", 0x1a, kAt},
      {"AD12", "BracketRight", 0x1b, kBracketOpen}, {"RTRN", "Enter", 0x1c, kEnter},
      {"CAPS", "CapsLock", 0x3a, kEisu}, {"AC10", "Semicolon", 0x27, kSemicolon},
      {"AC11", "Quote", 0x28, kColon}, {"BKSL", "Backslash", 0x2b, kBracketClose},
      {"AC12", "", 0, kBracketClose}, {"AB08", "Comma", 0x33, kComma},
      {"AB09", "Period", 0x34, kPeriod}, {"AB10", "Slash", 0x35, kSlash},
      {"AB11", "IntlRo", 0x73, kRo}, {"LFSH", "ShiftLeft", 0x2a, kShift},
      {"RTSH", "ShiftRight", 0x36, kShift}, {"LCTL", "ControlLeft", 0x1d, kCtrl},
      {"RCTL", "ControlRight", 0xe01d, kCtrl}, {"LALT", "AltLeft", 0x38, kAlt},
      {"RALT", "AltRight", 0xe038, kAlt}, {"ALGR", "", 0, kAlt},
      {"LWIN", "MetaLeft", 0xe05b, kLeftWin}, {"RWIN", "MetaRight", 0xe05c, kRightWin},
      {"COMP", "ContextMenu", 0xe05d, kMenu}, {"MENU", "", 0, kMenu},
      {"MUHE", "NonConvert", 0x7b, kNonConvert}, {"SPCE", "Space", 0x39, kSpace},
      {"HENK", "Convert", 0x79, kConvert}, {"HKTG", "KanaMode", 0x70, kKana},
      {"PRSC", "PrintScreen", 0xe037, kPrintScreen}, {"SCLK", "ScrollLock", 0x46, kScrollLock},
      {"PAUS", "Pause", 0x45, kPause}, {"INS", "Insert", 0xe052, kInsert},
      {"DELE", "Delete", 0xe053, kDelete}, {"HOME", "Home", 0xe047, kHome},
      {"END", "End", 0xe04f, kEnd}, {"PGUP", "PageUp", 0xe049, kPageUp},
      {"PGDN", "PageDown", 0xe051, kPageDown}, {"LEFT", "ArrowLeft", 0xe04b, kLeft},
      {"UP", "ArrowUp", 0xe048, kUp}, {"RGHT", "ArrowRight", 0xe04d, kRight},
      {"DOWN", "ArrowDown", 0xe050, kDown}, {"NMLK", "NumLock", 0xe045, kNumLock},
      {"KPDV", "NumpadDivide", 0xe035, kDivide}, {"KPMU", "NumpadMultiply", 0x37, kMultiply},
      {"KPSU", "NumpadSubtract", 0x4a, kSubtract}, {"KPAD", "NumpadAdd", 0x4e, kAdd},
      {"KPEN", "NumpadEnter", 0xe01c, kEnter}};
  // clang-format on
  for (const auto& [xkb, dom, scan, code] : keys) expect_key(xkb, dom, scan, code);
  // The keypad: its digits with NumLock on, the editing keys it doubles as
  // with NumLock off.
  const std::tuple<const char*, unsigned, KeyCode, KeyCode> keypad[] = {
      {"KP0", 0x52, kNumpad0, kInsert},    {"KP1", 0x4f, kNumpad0 + 1, kEnd},
      {"KP2", 0x50, kNumpad0 + 2, kDown},  {"KP3", 0x51, kNumpad0 + 3, kPageDown},
      {"KP4", 0x4b, kNumpad0 + 4, kLeft},  {"KP5", 0x4c, kNumpad0 + 5, kClear},
      {"KP6", 0x4d, kNumpad0 + 6, kRight}, {"KP7", 0x47, kNumpad0 + 7, kHome},
      {"KP8", 0x48, kNumpad0 + 8, kUp},    {"KP9", 0x49, kNumpad0 + 9, kPageUp},
      {"KPDL", 0x53, kDecimal, kDelete}};
  for (const auto& [name, scan, on, off] : keypad)
    expect_key(name, name[2] == 'D' ? "NumpadDecimal" : "Numpad" + std::string(name + 2), scan, on,
               off);
  for (const char* none : {"", "FK13", "AE14", "I147", "esc", "AC011"})
    EXPECT_EQ(jis_virtual_key(none, NumLock::kOn), std::nullopt) << none;
  for (const char* none : {"", "Key", "KeyAA", "Keya", "Digit", "DigitX", "F", "F0", "F13", "F1x",
                           "Numpad", "Lang1", "AudioVolumeUp", "ESC"})
    EXPECT_EQ(jis_key_for_dom_code(none, NumLock::kOn), std::nullopt) << none;
  // Nothing, an ISO keyboard's extra key, gaps, E0 forms of plain keys.
  for (unsigned none : {0x00, 0x56, 0x59, 0x7c, 0xff, 0xe00e, 0xe01f, 0xe029, 0xe036, 0xe03b})
    EXPECT_EQ(jis_key_for_scan_code(none & 0xff, none > 0xff, NumLock::kOn), std::nullopt) << none;
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
  EXPECT_EQ(keyboard.press(9, NumLock::kOff), (KeyEvent{kEsc, 0}));
  EXPECT_EQ(keyboard.release(9, NumLock::kOff), (KeyEvent{kEsc, 0}));
  EXPECT_EQ(keyboard.press(90, NumLock::kOn), (KeyEvent{kNumpad0, 0}));
  EXPECT_EQ(keyboard.press(90, NumLock::kOff), (KeyEvent{kInsert, 0}));
  for (int no_key : {10, 200, -1, 256}) {
    EXPECT_EQ(keyboard.press(no_key, NumLock::kOff), std::nullopt) << no_key;
    EXPECT_EQ(keyboard.release(no_key, NumLock::kOff), std::nullopt) << no_key;
  }
}

TEST(JisKeyboardTest, ModifierMaskIncludesTheKeyItselfAndFollowsTheKeys) {
  JisKeyboard keyboard(evdev_names());
  const NumLock off = NumLock::kOff;
  EXPECT_EQ(keyboard.press(50, off), (KeyEvent{kShift, kShiftBit}));  // left Shift
  EXPECT_EQ(keyboard.press(62, off), (KeyEvent{kShift, kShiftBit}));  // right Shift too
  EXPECT_EQ(keyboard.release(50, off), (KeyEvent{kShift, kShiftBit})) << "right still down";
  EXPECT_EQ(keyboard.release(62, off), (KeyEvent{kShift, 0}));
  EXPECT_EQ(keyboard.press(105, off), (KeyEvent{kCtrl, kCtrlBit}));           // right Ctrl
  EXPECT_EQ(keyboard.press(108, off), (KeyEvent{kAlt, kCtrlBit | kAltBit}));  // right Alt
  EXPECT_EQ(keyboard.press(65, off), (KeyEvent{kSpace, kCtrlBit | kAltBit}));
  EXPECT_EQ(keyboard.press(65, off), (KeyEvent{kSpace, kCtrlBit | kAltBit})) << "auto-repeat";

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
