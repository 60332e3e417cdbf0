// SPDX-License-Identifier: MIT
#include "platform/keys/jis_keyboard.h"

namespace titletype {

JisKeyboard::JisKeyboard(const KeycodeNames& names) {
  for (int i = 0; i < kKeycodes; ++i) {
    keys_[i] = {jis_virtual_key(names[i], NumLock::kOn), jis_virtual_key(names[i], NumLock::kOff),
                modifier_bit_of(names[i])};
  }
}

std::optional<KeyCode> JisKeyboard::code(int keycode, NumLock num_lock) const {
  if (keycode < 0 || keycode >= kKeycodes) return std::nullopt;
  const Key& k = keys_[keycode];
  return num_lock == NumLock::kOn ? k.num_lock_on : k.num_lock_off;
}

ModifierMask JisKeyboard::held_mask() const {
  ModifierMask mask = 0;
  for (int i = 0; i < kKeycodes; ++i) {
    if (held_modifiers_.test(i)) mask |= keys_[i].modifier;  // test() checks the range
  }
  return mask;
}

std::optional<KeyEvent> JisKeyboard::press(int keycode, NumLock num_lock) {
  const auto key = code(keycode, num_lock);
  if (!key) return std::nullopt;
  if (keys_[keycode].modifier) held_modifiers_.set(keycode);
  return KeyEvent{*key, held_mask()};
}

std::optional<KeyEvent> JisKeyboard::release(int keycode, NumLock num_lock) {
  const auto key = code(keycode, num_lock);
  if (!key) return std::nullopt;
  held_modifiers_.reset(keycode);
  return KeyEvent{*key, held_mask()};
}

void JisKeyboard::resync(const KeycodeSet& down) {
  held_modifiers_.reset();
  for (int i = 0; i < kKeycodes; ++i) {
    if (down.test(i) && keys_[i].modifier) held_modifiers_.set(i);
  }
}

}  // namespace titletype
