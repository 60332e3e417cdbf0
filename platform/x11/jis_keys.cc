// SPDX-License-Identifier: MIT
#include "platform/x11/jis_keys.h"

#include <algorithm>
#include <array>

namespace titletype {

namespace {

struct NamedKey {
  std::string_view name;
  KeyCode code;
};

// Keys whose code does not depend on NumLock. XKB aliases are listed beside
// the names they stand for.
constexpr NamedKey kKeys[] = {
    {"ESC", 27},
    {"FK01", 112},
    {"FK02", 113},
    {"FK03", 114},
    {"FK04", 115},
    {"FK05", 116},
    {"FK06", 117},
    {"FK07", 118},
    {"FK08", 119},
    {"FK09", 120},
    {"FK10", 121},
    {"FK11", 122},
    {"FK12", 123},
    // 半角/全角; it alternates with 244 as the input method toggles.
    {"TLDE", 243},
    {"HZTG", 243},
    {"AE01", '1'},
    {"AE02", '2'},
    {"AE03", '3'},
    {"AE04", '4'},
    {"AE05", '5'},
    {"AE06", '6'},
    {"AE07", '7'},
    {"AE08", '8'},
    {"AE09", '9'},
    {"AE10", '0'},
    {"AE11", 189},  // - =
    {"AE12", 222},  // ^ ~
    {"AE13", 220},  // ¥ |
    {"BKSP", 8},
    {"TAB", 9},
    {"AD01", 'Q'},
    {"AD02", 'W'},
    {"AD03", 'E'},
    {"AD04", 'R'},
    {"AD05", 'T'},
    {"AD06", 'Y'},
    {"AD07", 'U'},
    {"AD08", 'I'},
    {"AD09", 'O'},
    {"AD10", 'P'},
    {"AD11", 192},  // @ `
    {"AD12", 219},  // [ {
    {"RTRN", 13},
    {"CAPS", 240},  // 英数
    {"AC01", 'A'},
    {"AC02", 'S'},
    {"AC03", 'D'},
    {"AC04", 'F'},
    {"AC05", 'G'},
    {"AC06", 'H'},
    {"AC07", 'J'},
    {"AC08", 'K'},
    {"AC09", 'L'},
    {"AC10", 187},  // ; +
    {"AC11", 186},  // : *
    {"BKSL", 221},
    {"AC12", 221},  // ] }
    {"AB01", 'Z'},
    {"AB02", 'X'},
    {"AB03", 'C'},
    {"AB04", 'V'},
    {"AB05", 'B'},
    {"AB06", 'N'},
    {"AB07", 'M'},
    {"AB08", 188},  // , <
    {"AB09", 190},  // . >
    {"AB10", 191},  // / ?
    {"AB11", 226},  // ろ _
    {"LFSH", 16},
    {"RTSH", 16},
    {"LCTL", 17},
    {"RCTL", 17},
    {"LALT", 18},
    {"RALT", 18},
    {"ALGR", 18},
    {"LWIN", 91},
    {"RWIN", 92},
    {"COMP", 93},
    {"MENU", 93},
    {"MUHE", 29},  // 無変換
    {"SPCE", 32},
    {"HENK", 28},   // 変換
    {"HKTG", 242},  // カタカナ/ひらがな
    {"PRSC", 44},
    {"SCLK", 145},
    {"PAUS", 19},
    {"INS", 45},
    {"DELE", 46},
    {"HOME", 36},
    {"END", 35},
    {"PGUP", 33},
    {"PGDN", 34},
    {"LEFT", 37},
    {"UP", 38},
    {"RGHT", 39},
    {"DOWN", 40},
    {"NMLK", 144},
    {"KPDV", 111},
    {"KPMU", 106},
    {"KPSU", 109},
    {"KPAD", 107},
    {"KPEN", 13},
};

struct KeypadKey {
  std::string_view name;
  KeyCode num_lock_on;
  KeyCode num_lock_off;  // the editing key the keypad key doubles as
};

constexpr KeypadKey kKeypad[] = {
    {"KP0", 96, 45},  {"KP1", 97, 35},  {"KP2", 98, 40},   {"KP3", 99, 34},
    {"KP4", 100, 37}, {"KP5", 101, 12}, {"KP6", 102, 39},  {"KP7", 103, 36},
    {"KP8", 104, 38}, {"KP9", 105, 33}, {"KPDL", 110, 46},
};

}  // namespace

std::optional<KeyCode> jis_virtual_key(std::string_view xkb_name, NumLock num_lock) {
  for (const KeypadKey& k : kKeypad) {
    if (k.name == xkb_name) return num_lock == NumLock::kOn ? k.num_lock_on : k.num_lock_off;
  }
  for (const NamedKey& k : kKeys) {
    if (k.name == xkb_name) return k.code;
  }
  return std::nullopt;
}

ModifierMask modifier_bit_of(std::string_view xkb_name) {
  if (xkb_name == "LFSH" || xkb_name == "RTSH") return kShiftBit;
  if (xkb_name == "LCTL" || xkb_name == "RCTL") return kCtrlBit;
  if (xkb_name == "LALT" || xkb_name == "RALT" || xkb_name == "ALGR") return kAltBit;
  return 0;
}

std::string xkb_position(std::string_view row, std::size_t number) {
  return std::string(row) + static_cast<char>('0' + number / 10) +
         static_cast<char>('0' + number % 10);
}

}  // namespace titletype
