// SPDX-License-Identifier: MIT
// xkbcommon, loaded only to play by the typed character: play by place
// reads the compositor's evdev codes and needs no keymap.
#include <xkbcommon/xkbcommon.h>

#include "platform/posix/runtime_library.h"
#include "platform/wayland/wayland_library.h"
#include "platform/window/display_unavailable.h"

namespace titletype {

namespace {

// clang-format off
#define TITLETYPE_XKBCOMMON_FUNCTIONS(F) \
  F(xkb_context_new) \
  F(xkb_context_unref) \
  F(xkb_keymap_mod_get_index) \
  F(xkb_keymap_new_from_buffer) \
  F(xkb_keymap_unref) \
  F(xkb_keysym_to_utf32) \
  F(xkb_state_key_get_one_sym) \
  F(xkb_state_mod_name_is_active) \
  F(xkb_state_new) \
  F(xkb_state_unref) \
  F(xkb_state_update_mask)
// clang-format on

struct Xkbcommon {
  TITLETYPE_XKBCOMMON_FUNCTIONS(TITLETYPE_FUNCTION_MEMBER)
};

const Xkbcommon& xkb() {
  static const Xkbcommon loaded = load_function_table<Xkbcommon, DisplayUnavailable>(
      "libxkbcommon.so.0", [](RuntimeLibrary& library, Xkbcommon& table, bool& found) {
        TITLETYPE_XKBCOMMON_FUNCTIONS(TITLETYPE_RESOLVE_FUNCTION)
      });
  return loaded;
}

}  // namespace

void load_xkbcommon() { xkb(); }

}  // namespace titletype

using titletype::xkb;
// Named as we read them: the headers' parameter names differ from library to library.
// NOLINTBEGIN(readability-inconsistent-declaration-parameter-name)
extern "C" {
xkb_context* xkb_context_new(xkb_context_flags flags) { return xkb().xkb_context_new(flags); }
void xkb_context_unref(xkb_context* context) { xkb().xkb_context_unref(context); }
xkb_mod_index_t xkb_keymap_mod_get_index(xkb_keymap* keymap, const char* name) {
  return xkb().xkb_keymap_mod_get_index(keymap, name);
}
xkb_keymap* xkb_keymap_new_from_buffer(xkb_context* context, const char* text, size_t length,
                                       xkb_keymap_format format, xkb_keymap_compile_flags flags) {
  return xkb().xkb_keymap_new_from_buffer(context, text, length, format, flags);
}
void xkb_keymap_unref(xkb_keymap* keymap) { xkb().xkb_keymap_unref(keymap); }
uint32_t xkb_keysym_to_utf32(xkb_keysym_t symbol) { return xkb().xkb_keysym_to_utf32(symbol); }
xkb_keysym_t xkb_state_key_get_one_sym(xkb_state* state, xkb_keycode_t key) {
  return xkb().xkb_state_key_get_one_sym(state, key);
}
int xkb_state_mod_name_is_active(xkb_state* state, const char* name, xkb_state_component type) {
  return xkb().xkb_state_mod_name_is_active(state, name, type);
}
xkb_state* xkb_state_new(xkb_keymap* keymap) { return xkb().xkb_state_new(keymap); }
void xkb_state_unref(xkb_state* state) { xkb().xkb_state_unref(state); }
xkb_state_component xkb_state_update_mask(xkb_state* state, xkb_mod_mask_t depressed,
                                          xkb_mod_mask_t latched, xkb_mod_mask_t locked,
                                          xkb_layout_index_t depressed_layout,
                                          xkb_layout_index_t latched_layout,
                                          xkb_layout_index_t locked_layout) {
  return xkb().xkb_state_update_mask(state, depressed, latched, locked, depressed_layout,
                                     latched_layout, locked_layout);
}
}
// NOLINTEND(readability-inconsistent-declaration-parameter-name)
