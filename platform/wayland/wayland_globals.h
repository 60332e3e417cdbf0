// SPDX-License-Identifier: MIT
// The compositor's globals that the window binds, found with one round trip
// on the registry: the surfaces, shared memory, the shell, the seat, the
// outputs with their scales, and the optional frame and scaling protocols.
#pragma once

#include <memory>

#include "platform/wayland/output_scales.h"
#include "platform/wayland/wayland_client.h"
#include "wayland/fractional-scale-v1.h"
#include "wayland/viewporter.h"
#include "wayland/xdg-decoration-unstable-v1.h"
#include "wayland/xdg-shell.h"

namespace titletype {

/// Destroys each kind of proxy the window owns with the request its
/// protocol has for that.
struct ProxyDestroyer {
  void operator()(wl_registry* p) const { wl_registry_destroy(p); }
  void operator()(wl_compositor* p) const { wl_compositor_destroy(p); }
  void operator()(wl_shm* p) const { wl_shm_destroy(p); }
  void operator()(xdg_wm_base* p) const { xdg_wm_base_destroy(p); }
  void operator()(wl_seat* p) const { wl_seat_destroy(p); }
  void operator()(zxdg_decoration_manager_v1* p) const { zxdg_decoration_manager_v1_destroy(p); }
  void operator()(wp_viewporter* p) const { wp_viewporter_destroy(p); }
  void operator()(wp_fractional_scale_manager_v1* p) const {
    wp_fractional_scale_manager_v1_destroy(p);
  }
  void operator()(wl_surface* p) const { wl_surface_destroy(p); }
  void operator()(xdg_surface* p) const { xdg_surface_destroy(p); }
  void operator()(xdg_toplevel* p) const { xdg_toplevel_destroy(p); }
  void operator()(zxdg_toplevel_decoration_v1* p) const { zxdg_toplevel_decoration_v1_destroy(p); }
  void operator()(wp_viewport* p) const { wp_viewport_destroy(p); }
  void operator()(wp_fractional_scale_v1* p) const { wp_fractional_scale_v1_destroy(p); }
  void operator()(wl_buffer* p) const { wl_buffer_destroy(p); }
  void operator()(wl_keyboard* p) const {
    if (wl_keyboard_get_version(p) >= WL_KEYBOARD_RELEASE_SINCE_VERSION) {
      wl_keyboard_release(p);
    } else {
      wl_keyboard_destroy(p);
    }
  }
};
template <typename Proxy>
using Owned = std::unique_ptr<Proxy, ProxyDestroyer>;

struct WaylandGlobals {
  /// Binds what `display`'s compositor offers. Throws DisplayUnavailable if
  /// it lacks what a window needs: a compositor, shared memory and the xdg
  /// shell. What the outputs and the seat say of themselves comes with the
  /// next round trip.
  explicit WaylandGlobals(wl_display* display);
  WaylandGlobals(const WaylandGlobals&) = delete;
  WaylandGlobals& operator=(const WaylandGlobals&) = delete;
  ~WaylandGlobals();

  Owned<wl_registry> registry;
  Owned<wl_compositor> compositor;
  Owned<wl_shm> shm;
  Owned<xdg_wm_base> shell;
  Owned<wl_seat> seat;
  /// The compositor draws frames (KDE, sway and the other wlroots ones).
  Owned<zxdg_decoration_manager_v1> decorations;
  Owned<wp_viewporter> viewporter;
  Owned<wp_fractional_scale_manager_v1> fractional_scale;
  OutputScales outputs;
};

}  // namespace titletype
