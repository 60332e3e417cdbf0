// SPDX-License-Identifier: MIT
// The Wayland window's surface and its one picture: a plain grey buffer,
// drawn at the scale of the outputs the window is on (or the fraction the
// compositor prefers, where it offers one), so that nothing of it is
// magnified. It is drawn outside the compositor's callbacks, once the
// window is configured and its title set, and again when the scale changes.
#pragma once

#include <cstdint>

#include "platform/wayland/wayland_globals.h"
#include "platform/window/window_size.h"

namespace titletype {

class ScaledSurface {
 public:
  /// A surface of `size` logical pixels.
  ScaledSurface(WaylandGlobals& globals, PixelSize size);
  ScaledSurface(const ScaledSurface&) = delete;
  ScaledSurface& operator=(const ScaledSurface&) = delete;

  wl_surface* get() const { return surface_.get(); }
  PixelSize size() const { return size_; }

  /// The frame acknowledged a configure: the surface must be committed.
  void configured() { commit_due_ = true; }
  /// Draws where it is due (the first picture, a new scale) and commits
  /// what a configure asked for.
  void draw_if_due();

 private:
  friend struct SurfaceCallbacks;
  /// The scale to draw at, in 120ths.
  uint32_t wanted_scale() const;
  void draw();

  WaylandGlobals& globals_;
  Owned<wl_surface> surface_;
  PixelSize size_;
  // Scaling by a fraction, where the compositor offers it:
  Owned<wp_viewport> viewport_;
  Owned<wp_fractional_scale_v1> fractional_scale_;
  uint32_t preferred_scale_ = 0;  // in 120ths, once told
  uint32_t drawn_scale_ = 0;      // in 120ths; 0 before the first draw
  bool commit_due_ = false;
  Owned<wl_buffer> buffer_;
};

}  // namespace titletype
