// SPDX-License-Identifier: MIT
// libwayland-client, loaded when the Wayland window opens.
#include "platform/wayland/wayland_client.h"
// (first: the protocols' inline requests need its pointer)

#include "platform/posix/runtime_library.h"
#include "platform/wayland/wayland_library.h"
#include "platform/window/display_unavailable.h"

extern "C" {
decltype(titletype_wl_proxy_marshal_flags) titletype_wl_proxy_marshal_flags = nullptr;
}

namespace titletype {

namespace {

// Every function of libwayland-client that the window and the protocols'
// inline requests call; the build links no libwayland-client, so one left
// out here is a link error.
// clang-format off
#define TITLETYPE_WAYLAND_FUNCTIONS(F) \
  F(wl_display_cancel_read) \
  F(wl_display_connect) \
  F(wl_display_disconnect) \
  F(wl_display_dispatch) \
  F(wl_display_dispatch_pending) \
  F(wl_display_flush) \
  F(wl_display_get_error) \
  F(wl_display_get_fd) \
  F(wl_display_get_protocol_error) \
  F(wl_display_prepare_read) \
  F(wl_display_read_events) \
  F(wl_display_roundtrip) \
  F(wl_proxy_add_listener) \
  F(wl_proxy_destroy) \
  F(wl_proxy_get_user_data) \
  F(wl_proxy_get_version) \
  F(wl_proxy_set_user_data)
// clang-format on

// The marshalling function is resolved by its real name: the macro of
// wayland_client.h renames it in this file too.
#undef wl_proxy_marshal_flags

struct WaylandClient {
  TITLETYPE_WAYLAND_FUNCTIONS(TITLETYPE_FUNCTION_MEMBER)
  decltype(&::wl_proxy_marshal_flags) marshal_flags = nullptr;
};

const WaylandClient& client() {
  static const WaylandClient loaded = load_function_table<WaylandClient, DisplayUnavailable>(
      "libwayland-client.so.0", [](RuntimeLibrary& library, WaylandClient& table, bool& found) {
        TITLETYPE_WAYLAND_FUNCTIONS(TITLETYPE_RESOLVE_FUNCTION)
        found = found && library.resolve(table.marshal_flags, "wl_proxy_marshal_flags");
      });
  return loaded;
}

}  // namespace

void load_wayland_client() { titletype_wl_proxy_marshal_flags = client().marshal_flags; }

}  // namespace titletype

// The window's calls, each to the library's own function.
using titletype::client;
// Named as we read them: the headers' parameter names differ from library to library.
// NOLINTBEGIN(readability-inconsistent-declaration-parameter-name)
extern "C" {
void wl_display_cancel_read(wl_display* d) { client().wl_display_cancel_read(d); }
wl_display* wl_display_connect(const char* name) { return client().wl_display_connect(name); }
void wl_display_disconnect(wl_display* d) { client().wl_display_disconnect(d); }
int wl_display_dispatch(wl_display* d) { return client().wl_display_dispatch(d); }
int wl_display_dispatch_pending(wl_display* d) { return client().wl_display_dispatch_pending(d); }
int wl_display_flush(wl_display* d) { return client().wl_display_flush(d); }
int wl_display_get_error(wl_display* d) { return client().wl_display_get_error(d); }
int wl_display_get_fd(wl_display* d) { return client().wl_display_get_fd(d); }
uint32_t wl_display_get_protocol_error(wl_display* d, const wl_interface** interface,
                                       uint32_t* id) {
  return client().wl_display_get_protocol_error(d, interface, id);
}
int wl_display_prepare_read(wl_display* d) { return client().wl_display_prepare_read(d); }
int wl_display_read_events(wl_display* d) { return client().wl_display_read_events(d); }
int wl_display_roundtrip(wl_display* d) { return client().wl_display_roundtrip(d); }
int wl_proxy_add_listener(wl_proxy* p, void (**listener)(void), void* data) {
  return client().wl_proxy_add_listener(p, listener, data);
}
void wl_proxy_destroy(wl_proxy* p) { client().wl_proxy_destroy(p); }
void* wl_proxy_get_user_data(wl_proxy* p) { return client().wl_proxy_get_user_data(p); }
uint32_t wl_proxy_get_version(wl_proxy* p) { return client().wl_proxy_get_version(p); }
void wl_proxy_set_user_data(wl_proxy* p, void* data) { client().wl_proxy_set_user_data(p, data); }
}
// NOLINTEND(readability-inconsistent-declaration-parameter-name)
