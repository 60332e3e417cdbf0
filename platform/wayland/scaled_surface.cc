// SPDX-License-Identifier: MIT
#include "platform/wayland/scaled_surface.h"

#include "platform/wayland/shm_buffer.h"

namespace titletype {

namespace {
constexpr uint32_t kWholeScale = 120;  // a fractional scale counts in 120ths
}  // namespace

struct SurfaceCallbacks {
  static ScaledSurface& of(void* data) { return *static_cast<ScaledSurface*>(data); }

  static constexpr wl_surface_listener kSurface{
      .enter = [](void* data, wl_surface*,
                  wl_output* output) { of(data).globals_.outputs.enter(output); },
      .leave = [](void* data, wl_surface*,
                  wl_output* output) { of(data).globals_.outputs.leave(output); },
  };
  static constexpr wp_fractional_scale_v1_listener kFractionalScale{
      .preferred_scale = [](void* data, wp_fractional_scale_v1*,
                            uint32_t scale) { of(data).preferred_scale_ = scale; },
  };
};

ScaledSurface::ScaledSurface(WaylandGlobals& globals, PixelSize size)
    : globals_(globals),
      surface_(wl_compositor_create_surface(globals.compositor.get())),
      size_(size) {
  wl_surface_add_listener(surface_.get(), &SurfaceCallbacks::kSurface, this);
  if (globals.fractional_scale && globals.viewporter) {
    viewport_.reset(wp_viewporter_get_viewport(globals.viewporter.get(), surface_.get()));
    fractional_scale_.reset(wp_fractional_scale_manager_v1_get_fractional_scale(
        globals.fractional_scale.get(), surface_.get()));
    wp_fractional_scale_v1_add_listener(fractional_scale_.get(),
                                        &SurfaceCallbacks::kFractionalScale, this);
  }
}

uint32_t ScaledSurface::wanted_scale() const {
  if (fractional_scale_) return preferred_scale_ ? preferred_scale_ : kWholeScale;
  if (wl_surface_get_version(surface_.get()) < WL_SURFACE_SET_BUFFER_SCALE_SINCE_VERSION) {
    return kWholeScale;
  }
  return static_cast<uint32_t>(globals_.outputs.scale()) * kWholeScale;
}

void ScaledSurface::draw_if_due() {
  if (!commit_due_ && !drawn_scale_) return;  // not configured yet
  if (!drawn_scale_ || wanted_scale() != drawn_scale_) {
    draw();
  } else if (commit_due_) {
    wl_surface_commit(surface_.get());
  }
  commit_due_ = false;
}

void ScaledSurface::draw() {
  const uint32_t scale = wanted_scale();
  int width = size_.width, height = size_.height;
  if (fractional_scale_) {
    // Rounded half away from zero, as the protocol asks; the viewport
    // shows the buffer at the window's logical size.
    width = static_cast<int>((width * scale + kWholeScale / 2) / kWholeScale);
    height = static_cast<int>((height * scale + kWholeScale / 2) / kWholeScale);
    wp_viewport_set_destination(viewport_.get(), size_.width, size_.height);
  } else {
    const auto whole = static_cast<int>(scale / kWholeScale);
    width *= whole;
    height *= whole;
    if (whole > 1 || drawn_scale_) wl_surface_set_buffer_scale(surface_.get(), whole);
  }
  drawn_scale_ = scale;
  // The buffer shown until now is the compositor's until this commit.
  Owned<wl_buffer> buffer(grey_buffer(globals_.shm.get(), width, height));
  if (buffer) {
    wl_surface_attach(surface_.get(), buffer.get(), 0, 0);
    if (wl_surface_get_version(surface_.get()) >= WL_SURFACE_DAMAGE_BUFFER_SINCE_VERSION) {
      wl_surface_damage_buffer(surface_.get(), 0, 0, width, height);
    } else {
      wl_surface_damage(surface_.get(), 0, 0, size_.width, size_.height);
    }
  }
  wl_surface_commit(surface_.get());
  if (buffer) buffer_ = std::move(buffer);
}

}  // namespace titletype
