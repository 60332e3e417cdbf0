// SPDX-License-Identifier: MIT
#include "platform/wayland/wayland_keyboard.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstring>

#include "platform/keys/keysym_keys.h"
#include "platform/wayland/evdev_key_names.h"
#include "platform/wayland/wayland_library.h"

namespace titletype {

namespace {
// Num Lock's modifier: a keymap of xkbcommon's (every compositor's) numbers
// the eight real modifiers first, Shift to Mod5, and Num Lock is Mod2.
constexpr uint32_t kNumLockMask = 1u << 4;
}  // namespace

struct KeyboardCallbacks {
  static WaylandKeyboard& of(void* data) { return *static_cast<WaylandKeyboard*>(data); }

  static constexpr wl_seat_listener kSeat{
      .capabilities = [](void* data, wl_seat*, uint32_t caps) { of(data).capabilities(caps); },
      .name = [](void*, wl_seat*, const char*) {},
  };
  static constexpr wl_keyboard_listener kKeyboard{
      .keymap = [](void* data, wl_keyboard*, uint32_t format, int32_t fd,
                   uint32_t size) { of(data).keymap(format, fd, size); },
      .enter = [](void* data, wl_keyboard*, uint32_t, wl_surface*,
                  wl_array* keys) { of(data).entered(*keys); },
      // Keys held when the window loses the keyboard get no release: the
      // next enter says which are down.
      .leave = [](void* data, wl_keyboard*, uint32_t, wl_surface*) { of(data).repeat_.stop(); },
      .key = [](void* data, wl_keyboard*, uint32_t, uint32_t, uint32_t key,
                uint32_t state) { of(data).key(key, state == WL_KEYBOARD_KEY_STATE_PRESSED); },
      .modifiers = [](void* data, wl_keyboard*, uint32_t, uint32_t depressed, uint32_t latched,
                      uint32_t locked,
                      uint32_t group) { of(data).modifiers(depressed, latched, locked, group); },
      .repeat_info = [](void* data, wl_keyboard*, int32_t rate,
                        int32_t delay) { of(data).repeat_.set_pace(rate, delay); },
  };
};

WaylandKeyboard::WaylandKeyboard(wl_seat* seat, KeyModel keys, const Clock& clock)
    : seat_(seat), keys_(keys), clock_(clock), names_(evdev_keycode_names()) {
  if (keys_ == KeyModel::kTyped) load_xkbcommon();
  if (seat_) wl_seat_add_listener(seat_, &KeyboardCallbacks::kSeat, this);
}

WaylandKeyboard::~WaylandKeyboard() = default;

void WaylandKeyboard::capabilities(uint32_t capabilities) {
  const bool has_keyboard = capabilities & WL_SEAT_CAPABILITY_KEYBOARD;
  if (has_keyboard && !keyboard_) {
    keyboard_.reset(wl_seat_get_keyboard(seat_));
    wl_keyboard_add_listener(keyboard_.get(), &KeyboardCallbacks::kKeyboard, this);
  } else if (!has_keyboard && keyboard_) {
    keyboard_.reset();
    repeat_.stop();
  }
}

void WaylandKeyboard::keymap(uint32_t format, int fd, uint32_t size) {
  // Kept as text until a key needs it: compiling it takes milliseconds,
  // which the window's start-up need not wait for.
  void* text = keys_ == KeyModel::kTyped && format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1
                   ? mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0)
                   : MAP_FAILED;
  close(fd);
  if (text == MAP_FAILED) return;
  keymap_text_.assign(static_cast<const char*>(text),
                      strnlen(static_cast<const char*>(text), size));
  munmap(text, size);
  repeat_.stop();
}

bool WaylandKeyboard::compile_keymap() {
  if (keymap_text_.empty()) return keymap_ != nullptr;
  // A keymap that cannot be read leaves the one before it (or none: then
  // no key is known, and none is played).
  if (!context_) context_.reset(xkb_context_new(XKB_CONTEXT_NO_FLAGS));
  std::unique_ptr<xkb_keymap, XkbFree> keymap(
      context_
          ? xkb_keymap_new_from_buffer(context_.get(), keymap_text_.data(), keymap_text_.size(),
                                       XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS)
          : nullptr);
  keymap_text_.clear();
  if (!keymap) return keymap_ != nullptr;
  state_.reset(xkb_state_new(keymap.get()));
  typing_state_.reset(xkb_state_new(keymap.get()));
  keymap_ = std::move(keymap);
  apply_modifiers();
  return true;
}

void WaylandKeyboard::entered(const wl_array& keys) {
  JisKeyboard::KeycodeSet down;
  const auto* codes = static_cast<const uint32_t*>(keys.data);
  for (std::size_t i = 0; i < keys.size / sizeof(uint32_t); ++i) {
    if (codes[i] + kEvdevToXkb < JisKeyboard::kKeycodes) down.set(codes[i] + kEvdevToXkb);
  }
  places_.resync(down);
}

void WaylandKeyboard::key(uint32_t evdev_code, bool pressed) {
  if (!host_ || evdev_code + kEvdevToXkb >= JisKeyboard::kKeycodes) return;
  if (keys_ == KeyModel::kTyped && !compile_keymap()) return;
  const auto keycode = static_cast<int>(evdev_code + kEvdevToXkb);
  if (!pressed) {
    repeat_.release(static_cast<uint32_t>(keycode));
    if (keys_ == KeyModel::kTyped) return;  // a typed key is a tap, down and up
    if (const auto key = places_.release(keycode, num_lock())) {
      host_->key_up(key->key, key->modifiers);
    }
    return;
  }
  if (key_repeats(names_[keycode])) repeat_.press(static_cast<uint32_t>(keycode), clock_.now());
  strike(keycode);
}

void WaylandKeyboard::repeat_if_due() {
  if (const auto keycode = repeat_.take_due(clock_.now()); keycode && host_) {
    strike(static_cast<int>(*keycode));
  }
}

void WaylandKeyboard::strike(int keycode) {
  if (keys_ == KeyModel::kPosition) {
    if (const auto key = places_.press(keycode, num_lock()))
      host_->key_down(key->key, key->modifiers);
    return;
  }
  // Play by the typed character: the keysym of the layout's group and
  // level, Ctrl left out, for the shared decision.
  const xkb_keysym_t symbol =
      xkb_state_key_get_one_sym(typing_state_.get(), static_cast<xkb_keycode_t>(keycode));
  TypedKey typed = keysym_typed_key(symbol, xkb_keysym_to_utf32(symbol));
  typed.own_key = places_.code(keycode, num_lock());
  const auto held = [&](const char* name) {
    return xkb_state_mod_name_is_active(state_.get(), name, XKB_STATE_MODS_EFFECTIVE) > 0;
  };
  typed.modifiers = static_cast<ModifierMask>((held(XKB_MOD_NAME_SHIFT) ? kShiftBit : 0) |
                                              (held(XKB_MOD_NAME_CTRL) ? kCtrlBit : 0) |
                                              (held(XKB_MOD_NAME_ALT) ? kAltBit : 0));
  if (const auto stroke = typed_key_stroke(typed)) host_->key_stroke(*stroke);
}

void WaylandKeyboard::modifiers(uint32_t depressed, uint32_t latched, uint32_t locked,
                                uint32_t group) {
  modifiers_ = {depressed, latched, locked, group};
  if (keymap_) apply_modifiers();
}

void WaylandKeyboard::apply_modifiers() {
  const auto& [depressed, latched, locked, group] = modifiers_;
  xkb_state_update_mask(state_.get(), depressed, latched, locked, 0, 0, group);
  const xkb_mod_index_t ctrl = xkb_keymap_mod_get_index(keymap_.get(), XKB_MOD_NAME_CTRL);
  const uint32_t no_ctrl = ctrl == XKB_MOD_INVALID ? ~0u : ~(1u << ctrl);
  xkb_state_update_mask(typing_state_.get(), depressed & no_ctrl, latched & no_ctrl,
                        locked & no_ctrl, 0, 0, group);
}

NumLock WaylandKeyboard::num_lock() const {
  const uint32_t effective = modifiers_.depressed | modifiers_.latched | modifiers_.locked;
  return effective & kNumLockMask ? NumLock::kOn : NumLock::kOff;
}

}  // namespace titletype
