// SPDX-License-Identifier: MIT
#include "platform/keys/key_strokes.h"

#include <iterator>

#include "game/virtual_keys.h"

namespace titletype {

std::vector<KeyEventStep> key_events_for(KeyStroke stroke) {
  using Kind = KeyEventStep::Kind;
  constexpr struct {
    ModifierMask bit;
    KeyCode key;
  } kModifierKeys[] = {{kShiftBit, vk::kShift}, {kCtrlBit, vk::kCtrl}, {kAltBit, vk::kAlt}};

  if (stroke.action != KeyAction::kTap) {
    return {{stroke.action == KeyAction::kDown ? Kind::kDown : Kind::kUp, stroke.key,
             stroke.modifiers}};
  }
  std::vector<KeyEventStep> steps;
  ModifierMask held = 0;
  for (const auto& m : kModifierKeys) {
    if (stroke.modifiers & m.bit) {
      held |= m.bit;
      steps.push_back({Kind::kDown, m.key, held});
    }
  }
  steps.push_back({Kind::kDown, stroke.key, held});
  steps.push_back({Kind::kUp, stroke.key, held});
  for (auto m = std::rbegin(kModifierKeys); m != std::rend(kModifierKeys); ++m) {
    if (stroke.modifiers & m->bit) {
      held &= static_cast<ModifierMask>(~m->bit);
      steps.push_back({Kind::kUp, m->key, held});
    }
  }
  return steps;
}

}  // namespace titletype
