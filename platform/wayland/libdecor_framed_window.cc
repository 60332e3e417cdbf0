// SPDX-License-Identifier: MIT
#include "platform/wayland/libdecor_framed_window.h"

#include <libdecor.h>

#include "platform/window/display_unavailable.h"
#include "platform/window/frame_size.h"

namespace titletype {

namespace {
// Measured under weston with libdecor 0.1's cairo frame: "Hit Space Key!!!"
// shows whole in a window this much wider than the X11 frames need (the
// frame draws its title in a bold font beside three buttons, and fades out
// what reaches them).
constexpr int kLibdecorTitlePixels = 88;

PixelSize libdecor_size() {
  PixelSize size = framed_client_size(kDefaultDpi);  // logical pixels are 96 DPI's
  size.width += kLibdecorTitlePixels;
  return size;
}

// The one window's, since libdecor tells an error without its window.
LibdecorFramedWindow* g_window = nullptr;
}  // namespace

struct FrameCallbacks {
  static LibdecorFramedWindow& of(void* data) { return *static_cast<LibdecorFramedWindow*>(data); }

  static void error(libdecor*, libdecor_error, const char* message) {
    if (g_window && g_window->fault_.empty()) {
      g_window->fault_ = std::string("the window's frame failed: ") + message;
    }
  }
  // libdecor's interfaces end in reserved members, left empty.
  static libdecor_interface context() {
    libdecor_interface callbacks{};
    callbacks.error = error;
    return callbacks;
  }
  static libdecor_frame_interface frame() {
    libdecor_frame_interface callbacks{};
    callbacks.configure = [](libdecor_frame* frame, libdecor_configuration* configuration,
                             void* data) { of(data).configure(frame, configuration); };
    callbacks.close = [](libdecor_frame*, void* data) { of(data).close_requested_ = true; };
    callbacks.commit = [](libdecor_frame*, void* data) {
      wl_surface_commit(of(data).surface_.get());
    };
    callbacks.dismiss_popup = [](libdecor_frame*, const char*, void*) {};
    return callbacks;
  }
};

LibdecorFramedWindow::LibdecorFramedWindow(wl_display* display, WaylandGlobals& globals)
    : WaylandWindow(globals, libdecor_size()) {
  // libdecor keeps the interfaces for the window's lifetime.
  static libdecor_interface context_callbacks = FrameCallbacks::context();
  static libdecor_frame_interface frame_callbacks = FrameCallbacks::frame();
  g_window = this;
  libdecor_ = libdecor_new(display, &context_callbacks);
  if (libdecor_) frame_ = libdecor_decorate(libdecor_, surface_.get(), &frame_callbacks, this);
  if (!frame_) {
    if (libdecor_) libdecor_unref(libdecor_);
    g_window = nullptr;
    throw DisplayUnavailable("cannot make the window's frame (libdecor)");
  }
  const PixelSize size = surface_.size();
  libdecor_frame_set_app_id(frame_, TITLETYPE_APP_ID);
  libdecor_frame_set_min_content_size(frame_, size.width, size.height);
  libdecor_frame_set_max_content_size(frame_, size.width, size.height);
  libdecor_frame_unset_capabilities(
      frame_,
      static_cast<libdecor_capabilities>(LIBDECOR_ACTION_RESIZE | LIBDECOR_ACTION_FULLSCREEN));
}

LibdecorFramedWindow::~LibdecorFramedWindow() {
  libdecor_frame_unref(frame_);
  libdecor_unref(libdecor_);
  g_window = nullptr;
}

void LibdecorFramedWindow::map() { libdecor_frame_map(frame_); }

void LibdecorFramedWindow::set_title(const char* title) { libdecor_frame_set_title(frame_, title); }

void LibdecorFramedWindow::configure(libdecor_frame* frame, libdecor_configuration* configuration) {
  const PixelSize size = surface_.size();
  libdecor_state* state = libdecor_state_new(size.width, size.height);
  libdecor_frame_commit(frame, state, configuration);
  libdecor_state_free(state);
  surface_.configured();
}

}  // namespace titletype
