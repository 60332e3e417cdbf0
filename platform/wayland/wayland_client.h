// SPDX-License-Identifier: MIT
// The Wayland client library as the window's code includes it: in place of
// <wayland-client.h>, and before any header that includes that one.
//
// The window loads libwayland-client when it opens (wayland_library.h), so
// the program links none. Its functions are defined beside the loader, each
// forwarding to the library's own, except the one whose arguments vary: the
// protocols' inline requests call wl_proxy_marshal_flags, which no function
// of ours can forward, so they call the library's through its pointer.
#pragma once

#ifdef WAYLAND_CLIENT_H
#error "include platform/wayland/wayland_client.h before <wayland-client.h> and libdecor.h"
#endif
#include <wayland-client-core.h>

extern "C" {
extern decltype(&wl_proxy_marshal_flags) titletype_wl_proxy_marshal_flags;
}
#define wl_proxy_marshal_flags titletype_wl_proxy_marshal_flags

#include <wayland-client.h>
