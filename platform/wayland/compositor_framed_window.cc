// SPDX-License-Identifier: MIT
#include "platform/wayland/compositor_framed_window.h"

#include "platform/window/frame_size.h"

namespace titletype {

struct ToplevelCallbacks {
  static CompositorFramedWindow& of(void* data) {
    return *static_cast<CompositorFramedWindow*>(data);
  }

  static constexpr xdg_surface_listener kXdgSurface{
      .configure =
          [](void* data, xdg_surface* surface, uint32_t serial) {
            xdg_surface_ack_configure(surface, serial);
            CompositorFramedWindow& window = of(data);
            window.answered_ = true;
            // A window left to frame itself is not drawn: it gives way.
            if (!window.frame_refused_) window.surface_.configured();
          },
  };
  // The size is the game's own: a configured size is not followed.
  static constexpr xdg_toplevel_listener kToplevel{
      .configure = [](void*, xdg_toplevel*, int32_t, int32_t, wl_array*) {},
      .close = [](void* data, xdg_toplevel*) { of(data).close_requested_ = true; },
      .configure_bounds = nullptr,  // not sent to version 1
      .wm_capabilities = nullptr,
  };
  // The mode comes before the configure that ends the sequence.
  static constexpr zxdg_toplevel_decoration_v1_listener kDecoration{
      .configure =
          [](void* data, zxdg_toplevel_decoration_v1*, uint32_t mode) {
            of(data).frame_refused_ = mode != ZXDG_TOPLEVEL_DECORATION_V1_MODE_SERVER_SIDE;
          },
  };
};

CompositorFramedWindow::CompositorFramedWindow(WaylandGlobals& globals)
    : WaylandWindow(globals, framed_client_size(kDefaultDpi)),  // logical pixels are 96 DPI's
      xdg_surface_(xdg_wm_base_get_xdg_surface(globals.shell.get(), surface_.get())),
      toplevel_(xdg_surface_get_toplevel(xdg_surface_.get())),
      decoration_(zxdg_decoration_manager_v1_get_toplevel_decoration(globals.decorations.get(),
                                                                     toplevel_.get())) {
  xdg_surface_add_listener(xdg_surface_.get(), &ToplevelCallbacks::kXdgSurface, this);
  xdg_toplevel_add_listener(toplevel_.get(), &ToplevelCallbacks::kToplevel, this);
  xdg_toplevel_set_app_id(toplevel_.get(), TITLETYPE_APP_ID);
  // A fixed size: compositors float such a window rather than tile it, and
  // offer no resizing.
  const PixelSize size = surface_.size();
  xdg_toplevel_set_min_size(toplevel_.get(), size.width, size.height);
  xdg_toplevel_set_max_size(toplevel_.get(), size.width, size.height);
  zxdg_toplevel_decoration_v1_add_listener(decoration_.get(), &ToplevelCallbacks::kDecoration,
                                           this);
  zxdg_toplevel_decoration_v1_set_mode(decoration_.get(),
                                       ZXDG_TOPLEVEL_DECORATION_V1_MODE_SERVER_SIDE);
}

void CompositorFramedWindow::map() {
  wl_surface_commit(surface_.get());  // no buffer yet: asks for the first configure
}

void CompositorFramedWindow::set_title(const char* title) {
  xdg_toplevel_set_title(toplevel_.get(), title);
}

}  // namespace titletype
