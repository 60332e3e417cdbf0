// SPDX-License-Identifier: MIT
// The keyboard of the desktop windows: turns key events by XKB keycode (an
// X server's, or a Wayland compositor's: evdev numbering + 8) into the
// virtual-key codes and modifier masks that the game reads, and keeps track
// of which Shift, Ctrl and Alt keys are down.
//
// X reports the modifiers held just before an event, and Wayland sends them
// after it, so a Shift key-down would not carry Shift; the game expects a
// modifier's own key-down to carry its bit, so the held keys are tracked
// here instead.
#pragma once

#include <array>
#include <bitset>
#include <optional>
#include <string_view>

#include "game/key_codes.h"
#include "platform/keys/jis_keys.h"

namespace titletype {

/// A key event as the game receives it.
struct KeyEvent {
  KeyCode key;
  ModifierMask modifiers;
  bool operator==(const KeyEvent&) const = default;
};

/// An XKB key name, which has four characters at most: a keyboard's 256 of
/// them fit in a kilobyte. It stands in for the text it holds, both ways.
class KeyName {
 public:
  constexpr KeyName() = default;
  constexpr KeyName(std::string_view name) { name.copy(chars_.data(), chars_.size()); }
  constexpr KeyName(const char* name) : KeyName(std::string_view(name)) {}
  constexpr operator std::string_view() const {
    const std::string_view all(chars_.data(), chars_.size());
    return all.substr(0, all.find('\0'));
  }
  bool operator==(std::string_view other) const { return std::string_view(*this) == other; }

 private:
  std::array<char, 4> chars_{};
};

class JisKeyboard {
 public:
  static constexpr int kKeycodes = 256;
  using KeycodeNames = std::array<KeyName, kKeycodes>;
  using KeycodeSet = std::bitset<kKeycodes>;

  /// A keyboard with no keys, until one is read.
  JisKeyboard() = default;
  /// `names` gives the XKB name of each keycode, empty where there is none.
  explicit JisKeyboard(const KeycodeNames& names);

  /// Nothing for a key that a JIS keyboard does not have.
  std::optional<KeyEvent> press(int keycode, NumLock num_lock);
  std::optional<KeyEvent> release(int keycode, NumLock num_lock);

  /// Takes the modifier keys that are down from the server's view of the
  /// keyboard, for when focus returns and releases may have been missed.
  void resync(const KeycodeSet& down);

  /// The code of the key at `keycode`; nothing for a key a JIS keyboard
  /// does not have.
  std::optional<KeyCode> code(int keycode, NumLock num_lock) const;

 private:
  struct Key {
    std::optional<KeyCode> num_lock_on;
    std::optional<KeyCode> num_lock_off;
    ModifierMask modifier = 0;
  };

  ModifierMask held_mask() const;

  std::array<Key, kKeycodes> keys_{};
  KeycodeSet held_modifiers_;
};

}  // namespace titletype
