// SPDX-License-Identifier: MIT
// The Wayland window's keyboard: the seat's keys, by evdev code, to the JIS
// key at each place (as the X11 window reads them), or, typed, through the
// keymap that the compositor sends to the character of the current group
// and level; and the auto-repeat of a held key, which a Wayland client makes
// itself at the pace the compositor gives. Play by place needs no keymap:
// it is neither copied nor compiled, and xkbcommon is not loaded.
#pragma once

#include <xkbcommon/xkbcommon.h>

#include <memory>
#include <optional>
#include <string>

#include "platform/host/clock.h"
#include "platform/host/form_host.h"
#include "platform/keys/jis_keyboard.h"
#include "platform/keys/key_model.h"
#include "platform/wayland/key_repeat.h"
#include "platform/wayland/wayland_client.h"
#include "platform/wayland/wayland_globals.h"

namespace titletype {

class WaylandKeyboard {
 public:
  WaylandKeyboard(wl_seat* seat, KeyModel keys, const Clock& clock);
  ~WaylandKeyboard();
  WaylandKeyboard(const WaylandKeyboard&) = delete;
  WaylandKeyboard& operator=(const WaylandKeyboard&) = delete;

  /// Where the keys go while the compositor's events are dispatched; none
  /// before the game starts.
  void play_on(FormHost* host) { host_ = host; }

  /// When the held key repeats next; nothing while none repeats.
  std::optional<Instant> repeat_deadline() const { return repeat_.deadline(); }
  /// Gives the held key's repeat, if it is due.
  void repeat_if_due();

 private:
  friend struct KeyboardCallbacks;  // Wayland's listeners

  void capabilities(uint32_t capabilities);
  void keymap(uint32_t format, int fd, uint32_t size);
  /// To play by the typed character: compiles the keymap last sent, if it
  /// has not been, when the first key needs it; whether there is one.
  bool compile_keymap();
  void entered(const wl_array& keys);
  void key(uint32_t evdev_code, bool pressed);
  void modifiers(uint32_t depressed, uint32_t latched, uint32_t locked, uint32_t group);
  void apply_modifiers();
  /// A key-down, a first or a repeated one.
  void strike(int keycode);
  NumLock num_lock() const;

  struct XkbFree {
    void operator()(xkb_context* c) const { xkb_context_unref(c); }
    void operator()(xkb_keymap* k) const { xkb_keymap_unref(k); }
    void operator()(xkb_state* s) const { xkb_state_unref(s); }
  };

  wl_seat* seat_;
  KeyModel keys_;
  const Clock& clock_;
  FormHost* host_ = nullptr;
  Owned<wl_keyboard> keyboard_;
  // Typed play only:
  std::unique_ptr<xkb_context, XkbFree> context_;
  std::string keymap_text_;  // sent, not yet compiled
  std::unique_ptr<xkb_keymap, XkbFree> keymap_;
  std::unique_ptr<xkb_state, XkbFree> state_;
  /// The same, without Ctrl: the character typed with Ctrl held is the one
  /// typed without it.
  std::unique_ptr<xkb_state, XkbFree> typing_state_;
  /// The compositor's modifiers, as last sent (applied to the states once
  /// the keymap is compiled).
  struct Modifiers {
    uint32_t depressed = 0, latched = 0, locked = 0, group = 0;
  } modifiers_;
  const JisKeyboard::KeycodeNames names_;
  JisKeyboard places_{names_};
  KeyRepeat repeat_;
};

}  // namespace titletype
