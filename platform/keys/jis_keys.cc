// SPDX-License-Identifier: MIT
#include "platform/keys/jis_keys.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "game/virtual_keys.h"

namespace titletype {

namespace {

struct NamedKey {
  std::string_view name;
  KeyCode code;
};

// Keys whose code does not depend on NumLock. XKB aliases are listed beside
// the names they stand for.
constexpr NamedKey kKeys[] = {
    {"ESC", vk::kEsc},
    {"FK01", vk::kF1 + 0},
    {"FK02", vk::kF1 + 1},
    {"FK03", vk::kF1 + 2},
    {"FK04", vk::kF1 + 3},
    {"FK05", vk::kF1 + 4},
    {"FK06", vk::kF1 + 5},
    {"FK07", vk::kF1 + 6},
    {"FK08", vk::kF1 + 7},
    {"FK09", vk::kF1 + 8},
    {"FK10", vk::kF1 + 9},
    {"FK11", vk::kF1 + 10},
    {"FK12", vk::kF1 + 11},
    // 半角/全角; it alternates with 244 as the input method toggles.
    {"TLDE", vk::kHankaku},
    {"HZTG", vk::kHankaku},
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
    {"AE11", vk::kMinus},
    {"AE12", vk::kCaret},
    {"AE13", vk::kYen},
    {"BKSP", vk::kBackspace},
    {"TAB", vk::kTab},
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
    {"AD11", vk::kAt},
    {"AD12", vk::kBracketOpen},
    {"RTRN", vk::kEnter},
    {"CAPS", vk::kEisu},
    {"AC01", 'A'},
    {"AC02", 'S'},
    {"AC03", 'D'},
    {"AC04", 'F'},
    {"AC05", 'G'},
    {"AC06", 'H'},
    {"AC07", 'J'},
    {"AC08", 'K'},
    {"AC09", 'L'},
    {"AC10", vk::kSemicolon},
    {"AC11", vk::kColon},
    {"BKSL", vk::kBracketClose},
    {"AC12", vk::kBracketClose},
    {"AB01", 'Z'},
    {"AB02", 'X'},
    {"AB03", 'C'},
    {"AB04", 'V'},
    {"AB05", 'B'},
    {"AB06", 'N'},
    {"AB07", 'M'},
    {"AB08", vk::kComma},
    {"AB09", vk::kPeriod},
    {"AB10", vk::kSlash},
    {"AB11", vk::kRo},
    {"LFSH", vk::kShift},
    {"RTSH", vk::kShift},
    {"LCTL", vk::kCtrl},
    {"RCTL", vk::kCtrl},
    {"LALT", vk::kAlt},
    {"RALT", vk::kAlt},
    {"ALGR", vk::kAlt},
    {"LWIN", vk::kLeftWin},
    {"RWIN", vk::kRightWin},
    {"COMP", vk::kMenu},
    {"MENU", vk::kMenu},
    {"MUHE", vk::kNonConvert},
    {"SPCE", vk::kSpace},
    {"HENK", vk::kConvert},
    {"HKTG", vk::kKana},
    {"PRSC", vk::kPrintScreen},
    {"SCLK", vk::kScrollLock},
    {"PAUS", vk::kPause},
    {"INS", vk::kInsert},
    {"DELE", vk::kDelete},
    {"HOME", vk::kHome},
    {"END", vk::kEnd},
    {"PGUP", vk::kPageUp},
    {"PGDN", vk::kPageDown},
    {"LEFT", vk::kLeft},
    {"UP", vk::kUp},
    {"RGHT", vk::kRight},
    {"DOWN", vk::kDown},
    {"NMLK", vk::kNumLock},
    {"KPDV", vk::kDivide},
    {"KPMU", vk::kMultiply},
    {"KPSU", vk::kSubtract},
    {"KPAD", vk::kAdd},
    {"KPEN", vk::kEnter},
};

struct KeypadKey {
  std::string_view name;
  KeyCode num_lock_on;
  KeyCode num_lock_off;  // the editing key the keypad key doubles as
};

constexpr KeypadKey kKeypad[] = {
    {"KP0", vk::kNumpad0, vk::kInsert},    {"KP1", vk::kNumpad0 + 1, vk::kEnd},
    {"KP2", vk::kNumpad0 + 2, vk::kDown},  {"KP3", vk::kNumpad0 + 3, vk::kPageDown},
    {"KP4", vk::kNumpad0 + 4, vk::kLeft},  {"KP5", vk::kNumpad0 + 5, vk::kClear},
    {"KP6", vk::kNumpad0 + 6, vk::kRight}, {"KP7", vk::kNumpad0 + 7, vk::kHome},
    {"KP8", vk::kNumpad0 + 8, vk::kUp},    {"KP9", vk::kNumpad0 + 9, vk::kPageUp},
    {"KPDL", vk::kDecimal, vk::kDelete},
};

// A name of up to four characters as one number, for comparing at once;
// 0 for any other.
constexpr std::uint32_t packed(std::string_view name) {
  std::uint32_t number = 0;
  if (name.size() > 4) return 0;
  for (const char c : name) number = number << 8 | static_cast<unsigned char>(c);
  return number;
}

// Both tables in one, sorted by number: a window looks up all 256 of its
// keycodes' names as it opens, and a search halves the table at each step.
struct KeyByName {
  std::uint32_t name;
  KeyCode num_lock_on;
  KeyCode num_lock_off;
};

constexpr auto kByName = [] {
  std::array<KeyByName, std::size(kKeypad) + std::size(kKeys)> all{};
  std::size_t n = 0;
  const auto insert = [&](KeyByName key) {  // in order, as a card into a hand
    std::size_t at = n++;
    for (; at > 0 && all[at - 1].name > key.name; --at) all[at] = all[at - 1];
    all[at] = key;
  };
  for (const KeypadKey& k : kKeypad) insert({packed(k.name), k.num_lock_on, k.num_lock_off});
  for (const NamedKey& k : kKeys) insert({packed(k.name), k.code, k.code});
  return all;
}();
static_assert(kByName.front().name != 0, "a name longer than four characters");

}  // namespace

std::optional<KeyCode> jis_virtual_key(std::string_view xkb_name, NumLock num_lock) {
  const std::uint32_t name = packed(xkb_name);
  const auto key = std::lower_bound(kByName.begin(), kByName.end(), name,
                                    [](const KeyByName& k, std::uint32_t n) { return k.name < n; });
  if (key == kByName.end() || key->name != name) return std::nullopt;  // no key packs to 0
  return num_lock == NumLock::kOn ? key->num_lock_on : key->num_lock_off;
}

ModifierMask modifier_bit_of(std::string_view xkb_name) {
  switch (packed(xkb_name)) {
    case packed("LFSH"):
    case packed("RTSH"):
      return kShiftBit;
    case packed("LCTL"):
    case packed("RCTL"):
      return kCtrlBit;
    case packed("LALT"):
    case packed("RALT"):
    case packed("ALGR"):
      return kAltBit;
    default:
      return 0;
  }
}

std::string xkb_position(std::string_view row, std::size_t number) {
  return std::string(row) + static_cast<char>('0' + number / 10) +
         static_cast<char>('0' + number % 10);
}

}  // namespace titletype
