// SPDX-License-Identifier: MIT
// A key stroke as a platform learns of it, and the key events for the game
// that it stands for. Terminals and typed keys give taps (a key typed once,
// with some modifiers); keyboards that report every event give presses and
// releases one by one.
#pragma once

#include <vector>

#include "game/key_codes.h"

namespace titletype {

/// What was said of a key: typed once (a tap: down and up), or one press
/// (auto-repeats too) or one release.
enum class KeyAction { kTap, kDown, kUp };

/// A key pressed with some modifier keys held.
struct KeyStroke {
  KeyCode key;
  ModifierMask modifiers;
  KeyAction action = KeyAction::kTap;
  bool operator==(const KeyStroke&) const = default;
};

/// One key event for the game.
struct KeyEventStep {
  enum class Kind { kDown, kUp } kind;
  KeyCode key;
  ModifierMask modifiers;
  bool operator==(const KeyEventStep&) const = default;
};

/// The key events that a keyboard produces for a stroke, in order: for a tap
/// the modifier keys go down, the key goes down and up, the modifiers go up;
/// a reported press or release is that one event.
std::vector<KeyEventStep> key_events_for(KeyStroke stroke);

}  // namespace titletype
