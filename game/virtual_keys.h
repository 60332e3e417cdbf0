// SPDX-License-Identifier: MIT
// The Windows virtual-key codes that a Japanese (JIS) keyboard gives, by
// name: the rules and every key table of the platforms read them from here.
// Letters and digits are their own upper-case ASCII codes and have no names.
#pragma once

#include "game/key_codes.h"

namespace titletype::vk {

inline constexpr KeyCode kBackspace = 8;
inline constexpr KeyCode kTab = 9;
inline constexpr KeyCode kClear = 12;  // keypad 5 with NumLock off
inline constexpr KeyCode kEnter = 13;
inline constexpr KeyCode kShift = 16;
inline constexpr KeyCode kCtrl = 17;
inline constexpr KeyCode kAlt = 18;
inline constexpr KeyCode kPause = 19;
inline constexpr KeyCode kConvert = 28;     // 変換
inline constexpr KeyCode kNonConvert = 29;  // 無変換
inline constexpr KeyCode kEsc = 27;
inline constexpr KeyCode kSpace = 32;
inline constexpr KeyCode kPageUp = 33;
inline constexpr KeyCode kPageDown = 34;
inline constexpr KeyCode kEnd = 35;
inline constexpr KeyCode kHome = 36;
inline constexpr KeyCode kLeft = 37;
inline constexpr KeyCode kUp = 38;
inline constexpr KeyCode kRight = 39;
inline constexpr KeyCode kDown = 40;
inline constexpr KeyCode kPrintScreen = 44;
inline constexpr KeyCode kInsert = 45;
inline constexpr KeyCode kDelete = 46;
inline constexpr KeyCode kLeftWin = 91;
inline constexpr KeyCode kRightWin = 92;
inline constexpr KeyCode kMenu = 93;
inline constexpr KeyCode kNumpad0 = 96;  // to 105, keypad 9
inline constexpr KeyCode kMultiply = 106;
inline constexpr KeyCode kAdd = 107;
inline constexpr KeyCode kSubtract = 109;
inline constexpr KeyCode kDecimal = 110;
inline constexpr KeyCode kDivide = 111;
inline constexpr KeyCode kF1 = 112;  // to 123, F12
inline constexpr KeyCode kNumLock = 144;
inline constexpr KeyCode kScrollLock = 145;
inline constexpr KeyCode kColon = 186;         // VK_OEM_1: ":" over "*"
inline constexpr KeyCode kSemicolon = 187;     // VK_OEM_PLUS: ";" over "+"
inline constexpr KeyCode kComma = 188;         // VK_OEM_COMMA: "," over "<"
inline constexpr KeyCode kMinus = 189;         // VK_OEM_MINUS: "-" over "="
inline constexpr KeyCode kPeriod = 190;        // VK_OEM_PERIOD: "." over ">"
inline constexpr KeyCode kSlash = 191;         // VK_OEM_2: "/" over "?"
inline constexpr KeyCode kAt = 192;            // VK_OEM_3: "@" over "`"
inline constexpr KeyCode kBracketOpen = 219;   // VK_OEM_4: "[" over "{"
inline constexpr KeyCode kYen = 220;           // VK_OEM_5: "¥" over "|"
inline constexpr KeyCode kBracketClose = 221;  // VK_OEM_6: "]" over "}"
inline constexpr KeyCode kCaret = 222;         // VK_OEM_7: "^" over "~"
inline constexpr KeyCode kRo = 226;            // VK_OEM_102: "\" over "_"
inline constexpr KeyCode kEisu = 240;          // 英数, Caps Lock
inline constexpr KeyCode kKana = 242;          // カタカナ/ひらがな
inline constexpr KeyCode kHankaku = 243;       // 半角/全角

}  // namespace titletype::vk
