// SPDX-License-Identifier: MIT
// libdecor, loaded only where the Wayland window must draw its own frame.
#include "platform/wayland/wayland_client.h"
// (first: libdecor.h includes the client's header)

#include <libdecor.h>

#include "platform/posix/runtime_library.h"
#include "platform/wayland/wayland_library.h"
#include "platform/window/display_unavailable.h"

namespace titletype {

namespace {

// clang-format off
#define TITLETYPE_LIBDECOR_FUNCTIONS(F) \
  F(libdecor_decorate) \
  F(libdecor_frame_commit) \
  F(libdecor_frame_map) \
  F(libdecor_frame_set_app_id) \
  F(libdecor_frame_set_max_content_size) \
  F(libdecor_frame_set_min_content_size) \
  F(libdecor_frame_set_title) \
  F(libdecor_frame_unref) \
  F(libdecor_frame_unset_capabilities) \
  F(libdecor_new) \
  F(libdecor_state_free) \
  F(libdecor_state_new) \
  F(libdecor_unref)
// clang-format on

struct Libdecor {
  TITLETYPE_LIBDECOR_FUNCTIONS(TITLETYPE_FUNCTION_MEMBER)
};

const Libdecor& decor() {
  static const Libdecor loaded = load_function_table<Libdecor, DisplayUnavailable>(
      "libdecor-0.so.0", [](RuntimeLibrary& library, Libdecor& table, bool& found) {
        TITLETYPE_LIBDECOR_FUNCTIONS(TITLETYPE_RESOLVE_FUNCTION)
      });
  return loaded;
}

}  // namespace

void load_libdecor() { decor(); }

}  // namespace titletype

using titletype::decor;
// Named as we read them: the headers' parameter names differ from library to library.
// NOLINTBEGIN(readability-inconsistent-declaration-parameter-name)
extern "C" {
libdecor_frame* libdecor_decorate(libdecor* context, wl_surface* surface,
                                  libdecor_frame_interface* callbacks, void* data) {
  return decor().libdecor_decorate(context, surface, callbacks, data);
}
void libdecor_frame_commit(libdecor_frame* frame, libdecor_state* state,
                           libdecor_configuration* configuration) {
  decor().libdecor_frame_commit(frame, state, configuration);
}
void libdecor_frame_map(libdecor_frame* frame) { decor().libdecor_frame_map(frame); }
void libdecor_frame_set_app_id(libdecor_frame* frame, const char* id) {
  decor().libdecor_frame_set_app_id(frame, id);
}
void libdecor_frame_set_max_content_size(libdecor_frame* frame, int width, int height) {
  decor().libdecor_frame_set_max_content_size(frame, width, height);
}
void libdecor_frame_set_min_content_size(libdecor_frame* frame, int width, int height) {
  decor().libdecor_frame_set_min_content_size(frame, width, height);
}
void libdecor_frame_set_title(libdecor_frame* frame, const char* title) {
  decor().libdecor_frame_set_title(frame, title);
}
void libdecor_frame_unref(libdecor_frame* frame) { decor().libdecor_frame_unref(frame); }
void libdecor_frame_unset_capabilities(libdecor_frame* frame, libdecor_capabilities what) {
  decor().libdecor_frame_unset_capabilities(frame, what);
}
libdecor* libdecor_new(wl_display* display, libdecor_interface* callbacks) {
  return decor().libdecor_new(display, callbacks);
}
void libdecor_state_free(libdecor_state* state) { decor().libdecor_state_free(state); }
libdecor_state* libdecor_state_new(int width, int height) {
  return decor().libdecor_state_new(width, height);
}
void libdecor_unref(libdecor* context) { decor().libdecor_unref(context); }
}
// NOLINTEND(readability-inconsistent-declaration-parameter-name)
