// SPDX-License-Identifier: MIT
#include "platform/wayland/wayland_window.h"

#include <libdecor.h>

#include <algorithm>
#include <cmath>

#include "platform/wayland/shm_buffer.h"
#include "platform/window/frame_size.h"

namespace titletype {

namespace {
// The desktop entry's id: the desktop shows the icon it names, since the
// protocols of this Wayland carry no icon of a window's own.
constexpr char kAppId[] = "org.titletype.titletype";
constexpr uint32_t kWholeScale = 120;  // a fractional scale counts in 120ths
// Measured under weston with libdecor 0.1's cairo frame: "Hit Space Key!!!"
// shows whole in a window this much wider than the X11 frames need.
constexpr int kLibdecorTitlePixels = 88;
}  // namespace

struct WindowCallbacks {
  static WaylandWindow& of(void* data) { return *static_cast<WaylandWindow*>(data); }

  static constexpr wl_surface_listener kSurface{
      .enter = [](void* data, wl_surface*, wl_output* output) { of(data).entered(output, true); },
      .leave = [](void* data, wl_surface*, wl_output* output) { of(data).entered(output, false); },
  };
  static constexpr xdg_surface_listener kXdgSurface{
      .configure =
          [](void* data, xdg_surface* surface, uint32_t serial) {
            xdg_surface_ack_configure(surface, serial);
            of(data).configured();
          },
  };
  // The size is the game's own: a configured size is not followed.
  static constexpr xdg_toplevel_listener kToplevel{
      .configure = [](void*, xdg_toplevel*, int32_t, int32_t, wl_array*) {},
      .close = [](void* data, xdg_toplevel*) { of(data).close_requested_ = true; },
      .configure_bounds = nullptr,  // not sent to version 1
      .wm_capabilities = nullptr,
  };
  static constexpr zxdg_toplevel_decoration_v1_listener kDecoration{
      .configure = [](void*, zxdg_toplevel_decoration_v1*, uint32_t) {},
  };
  static constexpr wp_fractional_scale_v1_listener kFractionalScale{
      .preferred_scale =
          [](void* data, wp_fractional_scale_v1*, uint32_t scale) {
            WaylandWindow& window = of(data);
            window.scale_120ths_ = scale;
            if (window.drawn_scale_) window.draw();
          },
  };

  static void libdecor_error(libdecor*, libdecor_error, const char* message);
  static libdecor_interface libdecor_callbacks();
  static libdecor_frame_interface frame_callbacks();
};

// The one window's, since libdecor tells an error without its window.
namespace {
WaylandWindow* g_libdecor_window = nullptr;
}  // namespace

void WindowCallbacks::libdecor_error(libdecor*, enum libdecor_error, const char* message) {
  if (g_libdecor_window && g_libdecor_window->fault_.empty()) {
    g_libdecor_window->fault_ = std::string("the window's frame failed: ") + message;
  }
}
// libdecor's interfaces end in reserved members, left empty.
libdecor_interface WindowCallbacks::libdecor_callbacks() {
  libdecor_interface callbacks{};
  callbacks.error = libdecor_error;
  return callbacks;
}
libdecor_frame_interface WindowCallbacks::frame_callbacks() {
  libdecor_frame_interface callbacks{};
  callbacks.configure = [](libdecor_frame* frame, libdecor_configuration* configuration,
                           void* data) { of(data).configure_frame(frame, configuration); };
  callbacks.close = [](libdecor_frame*, void* data) { of(data).close_requested_ = true; };
  callbacks.commit = [](libdecor_frame*, void* data) {
    wl_surface_commit(of(data).surface_.get());
  };
  callbacks.dismiss_popup = [](libdecor_frame*, const char*, void*) {};
  return callbacks;
}

WaylandWindow::WaylandWindow(wl_display* display, WaylandGlobals& globals)
    : globals_(globals), surface_(wl_compositor_create_surface(globals.compositor.get())) {
  const PixelSize size = framed_client_size(kDefaultDpi);  // logical pixels are 96 DPI's
  width_ = size.width;
  height_ = size.height;
  wl_surface_add_listener(surface_.get(), &WindowCallbacks::kSurface, this);
  if (globals.fractional_scale && globals.viewporter) {
    viewport_.reset(wp_viewporter_get_viewport(globals.viewporter.get(), surface_.get()));
    fractional_scale_.reset(wp_fractional_scale_manager_v1_get_fractional_scale(
        globals.fractional_scale.get(), surface_.get()));
    wp_fractional_scale_v1_add_listener(fractional_scale_.get(), &WindowCallbacks::kFractionalScale,
                                        this);
  }

  if (globals.decorations) {
    xdg_surface_.reset(xdg_wm_base_get_xdg_surface(globals.shell.get(), surface_.get()));
    xdg_surface_add_listener(xdg_surface_.get(), &WindowCallbacks::kXdgSurface, this);
    toplevel_.reset(xdg_surface_get_toplevel(xdg_surface_.get()));
    xdg_toplevel_add_listener(toplevel_.get(), &WindowCallbacks::kToplevel, this);
    xdg_toplevel_set_app_id(toplevel_.get(), kAppId);
    // A fixed size: compositors float such a window rather than tile it,
    // and offer no resizing.
    xdg_toplevel_set_min_size(toplevel_.get(), width_, height_);
    xdg_toplevel_set_max_size(toplevel_.get(), width_, height_);
    decoration_.reset(zxdg_decoration_manager_v1_get_toplevel_decoration(globals.decorations.get(),
                                                                         toplevel_.get()));
    zxdg_toplevel_decoration_v1_add_listener(decoration_.get(), &WindowCallbacks::kDecoration,
                                             this);
    zxdg_toplevel_decoration_v1_set_mode(decoration_.get(),
                                         ZXDG_TOPLEVEL_DECORATION_V1_MODE_SERVER_SIDE);
    return;
  }
  // libdecor keeps the interfaces for the window's lifetime.
  static libdecor_interface libdecor_callbacks = WindowCallbacks::libdecor_callbacks();
  static libdecor_frame_interface frame_callbacks = WindowCallbacks::frame_callbacks();
  // libdecor's cairo frame draws its title in a bold font beside three
  // buttons, and fades out what reaches them.
  width_ += kLibdecorTitlePixels;
  g_libdecor_window = this;
  libdecor_ = libdecor_new(display, &libdecor_callbacks);
  if (!libdecor_) throw std::runtime_error("cannot make the window's frame (libdecor)");
  frame_ = libdecor_decorate(libdecor_, surface_.get(), &frame_callbacks, this);
  if (!frame_) throw std::runtime_error("cannot make the window's frame (libdecor)");
  libdecor_frame_set_app_id(frame_, kAppId);
  libdecor_frame_set_min_content_size(frame_, width_, height_);
  libdecor_frame_set_max_content_size(frame_, width_, height_);
  libdecor_frame_unset_capabilities(
      frame_,
      static_cast<libdecor_capabilities>(LIBDECOR_ACTION_RESIZE | LIBDECOR_ACTION_FULLSCREEN));
}

WaylandWindow::~WaylandWindow() {
  if (frame_) libdecor_frame_unref(frame_);
  if (libdecor_) libdecor_unref(libdecor_);
  g_libdecor_window = nullptr;
}

void WaylandWindow::show_title(std::string_view title) {
  if (title == shown_title_) return;
  shown_title_ = title;
  if (toplevel_) {
    xdg_toplevel_set_title(toplevel_.get(), shown_title_.c_str());
  } else if (frame_) {
    libdecor_frame_set_title(frame_, shown_title_.c_str());
  }
}

void WaylandWindow::map() {
  if (frame_) {
    libdecor_frame_map(frame_);
  } else {
    wl_surface_commit(surface_.get());  // no buffer yet: asks for the first configure
  }
}

void WaylandWindow::configure_frame(libdecor_frame* frame, libdecor_configuration* configuration) {
  libdecor_state* state = libdecor_state_new(width_, height_);
  libdecor_frame_commit(frame, state, configuration);
  libdecor_state_free(state);
  configured();
}

void WaylandWindow::configured() {
  if (!drawn_scale_) {
    draw();
  } else {
    wl_surface_commit(surface_.get());
  }
}

void WaylandWindow::entered(wl_output* output, bool entering) {
  if (entering) {
    outputs_.insert(output);
  } else {
    outputs_.erase(output);
  }
  if (drawn_scale_ && !fractional_scale_ &&
      integer_scale() * static_cast<int>(kWholeScale) != drawn_scale_)
    draw();
}

int WaylandWindow::integer_scale() const {
  int scale = 1;
  if (wl_surface_get_version(surface_.get()) < WL_SURFACE_SET_BUFFER_SCALE_SINCE_VERSION) return 1;
  // Before the window is on an output, the finest of them all.
  for (const auto& [output, about] : globals_.outputs) {
    if (outputs_.empty() || outputs_.contains(output)) scale = std::max(scale, about.scale);
  }
  return scale;
}

void WaylandWindow::draw() {
  int buffer_width = width_, buffer_height = height_;
  if (fractional_scale_) {
    // Rounded half away from zero, as the protocol asks; the viewport
    // shows the buffer at the window's logical size.
    const uint32_t scale = scale_120ths_ ? scale_120ths_ : kWholeScale;
    buffer_width = static_cast<int>((width_ * scale + kWholeScale / 2) / kWholeScale);
    buffer_height = static_cast<int>((height_ * scale + kWholeScale / 2) / kWholeScale);
    wp_viewport_set_destination(viewport_.get(), width_, height_);
    drawn_scale_ = static_cast<int>(scale);
  } else {
    const int scale = integer_scale();
    buffer_width *= scale;
    buffer_height *= scale;
    if (scale > 1 || drawn_scale_) wl_surface_set_buffer_scale(surface_.get(), scale);
    drawn_scale_ = scale * static_cast<int>(kWholeScale);
  }
  // The buffer shown until now is the compositor's until this commit.
  Owned<wl_buffer> buffer(grey_buffer(globals_.shm.get(), buffer_width, buffer_height));
  if (buffer) {
    wl_surface_attach(surface_.get(), buffer.get(), 0, 0);
    if (wl_surface_get_version(surface_.get()) >= WL_SURFACE_DAMAGE_BUFFER_SINCE_VERSION) {
      wl_surface_damage_buffer(surface_.get(), 0, 0, buffer_width, buffer_height);
    } else {
      wl_surface_damage(surface_.get(), 0, 0, width_, height_);
    }
  }
  wl_surface_commit(surface_.get());
  if (buffer) buffer_ = std::move(buffer);
}

}  // namespace titletype
