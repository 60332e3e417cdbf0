// SPDX-License-Identifier: MIT
// How a failed comparison shows the program's own types: as the game would
// name them (a key by its code and modifiers, a title with its moment),
// never as raw bytes.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <ostream>

#include "app/command_line.h"
#include "app/window_choice.h"
#include "platform/keys/jis_keyboard.h"
#include "platform/keys/key_model.h"
#include "platform/keys/typed_keys.h"
#include "platform/sim/sim_platform.h"
#include "platform/window/window_size.h"

namespace titletype {

/// "+Shift+Ctrl+Alt", for the bits of `mask` that are set.
inline std::string modifier_names(ModifierMask mask) {
  return std::string(mask & kShiftBit ? "+Shift" : "") + (mask & kCtrlBit ? "+Ctrl" : "") +
         (mask & kAltBit ? "+Alt" : "");
}

inline void PrintTo(KeyModel keys, std::ostream* out) {
  *out << (keys == KeyModel::kTyped ? "typed" : "position");
}
inline void PrintTo(Backend backend, std::ostream* out) {
  *out << std::array{"auto", "window", "wayland", "x11", "terminal"}[static_cast<int>(backend)];
}
inline void PrintTo(Place place, std::ostream* out) {
  *out << std::array{"Wayland framed by either", "Wayland framed by the compositor", "X11",
                     "terminal"}[static_cast<int>(place)];
}
inline void PrintTo(CommandLine::Action action, std::ostream* out) {
  *out << std::array{"play", "help", "version", "usage error"}[static_cast<int>(action)];
}
inline void PrintTo(const KeyStroke& s, std::ostream* out) {
  *out << std::array{"tap ", "down ", "up "}[static_cast<int>(s.action)] << s.key
       << modifier_names(s.modifiers);
}
inline void PrintTo(const KeyEventStep& s, std::ostream* out) {
  *out << (s.kind == KeyEventStep::Kind::kDown ? "down " : "up ") << s.key
       << modifier_names(s.modifiers);
}
inline void PrintTo(const KeyEvent& e, std::ostream* out) {
  *out << e.key << modifier_names(e.modifiers);
}
inline void PrintTo(const TypedKey& k, std::ostream* out) {
  *out << "{text U+" << std::hex << static_cast<uint32_t>(k.text) << std::dec
       << (k.composing ? ", composing" : "") << (k.modifier_key ? ", a modifier key" : "")
       << ", own key " << (k.own_key ? std::to_string(*k.own_key) : "none")
       << modifier_names(k.modifiers) << (k.alt_gr ? ", by AltGr" : "") << "}";
}
inline void PrintTo(const TitleAt& t, std::ostream* out) {
  *out << '"' << t.text << "\" at " << std::chrono::duration<double, std::milli>(t.at).count()
       << " ms";
}
inline void PrintTo(const PixelSize& size, std::ostream* out) {
  *out << size.width << " x " << size.height;
}

}  // namespace titletype
