// SPDX-License-Identifier: MIT
#include "platform/wayland/evdev_key_names.h"

#include <string_view>

namespace titletype {

namespace {

struct EvdevKey {
  int code;
  std::string_view name;
};

// The evdev code of each key a JIS keyboard has, with the XKB name of its
// place (xkeyboard-config's evdev keycodes, less 8).
constexpr EvdevKey kEvdevKeys[] = {
    {1, "ESC"},    {2, "AE01"},   {3, "AE02"},   {4, "AE03"},   {5, "AE04"},   {6, "AE05"},
    {7, "AE06"},   {8, "AE07"},   {9, "AE08"},   {10, "AE09"},  {11, "AE10"},  {12, "AE11"},
    {13, "AE12"},  {14, "BKSP"},  {15, "TAB"},   {16, "AD01"},  {17, "AD02"},  {18, "AD03"},
    {19, "AD04"},  {20, "AD05"},  {21, "AD06"},  {22, "AD07"},  {23, "AD08"},  {24, "AD09"},
    {25, "AD10"},  {26, "AD11"},  {27, "AD12"},  {28, "RTRN"},  {29, "LCTL"},  {30, "AC01"},
    {31, "AC02"},  {32, "AC03"},  {33, "AC04"},  {34, "AC05"},  {35, "AC06"},  {36, "AC07"},
    {37, "AC08"},  {38, "AC09"},  {39, "AC10"},  {40, "AC11"},  {41, "TLDE"},  {42, "LFSH"},
    {43, "BKSL"},  {44, "AB01"},  {45, "AB02"},  {46, "AB03"},  {47, "AB04"},  {48, "AB05"},
    {49, "AB06"},  {50, "AB07"},  {51, "AB08"},  {52, "AB09"},  {53, "AB10"},  {54, "RTSH"},
    {55, "KPMU"},  {56, "LALT"},  {57, "SPCE"},  {58, "CAPS"},  {59, "FK01"},  {60, "FK02"},
    {61, "FK03"},  {62, "FK04"},  {63, "FK05"},  {64, "FK06"},  {65, "FK07"},  {66, "FK08"},
    {67, "FK09"},  {68, "FK10"},  {69, "NMLK"},  {70, "SCLK"},  {71, "KP7"},   {72, "KP8"},
    {73, "KP9"},   {74, "KPSU"},  {75, "KP4"},   {76, "KP5"},   {77, "KP6"},   {78, "KPAD"},
    {79, "KP1"},   {80, "KP2"},   {81, "KP3"},   {82, "KP0"},   {83, "KPDL"},  {87, "FK11"},
    {88, "FK12"},  {89, "AB11"},  {92, "HENK"},  {93, "HKTG"},  {94, "MUHE"},  {96, "KPEN"},
    {97, "RCTL"},  {98, "KPDV"},  {99, "PRSC"},  {100, "RALT"}, {102, "HOME"}, {103, "UP"},
    {104, "PGUP"}, {105, "LEFT"}, {106, "RGHT"}, {107, "END"},  {108, "DOWN"}, {109, "PGDN"},
    {110, "INS"},  {111, "DELE"}, {119, "PAUS"}, {124, "AE13"}, {125, "LWIN"}, {126, "RWIN"},
    {127, "COMP"},
};

}  // namespace

JisKeyboard::KeycodeNames evdev_keycode_names() {
  JisKeyboard::KeycodeNames names;
  for (const EvdevKey& key : kEvdevKeys) names[key.code + kEvdevToXkb] = key.name;
  return names;
}

bool key_repeats(std::string_view xkb_name) {
  return !modifier_bit_of(xkb_name) && xkb_name != "CAPS" && xkb_name != "NMLK" &&
         xkb_name != "LWIN" && xkb_name != "RWIN";
}

}  // namespace titletype
