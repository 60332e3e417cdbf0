// SPDX-License-Identifier: MIT
// The Wayland window framed by the compositor (KDE, sway and the other
// wlroots desktops), which it asks to draw the frame; the compositor may
// answer that the window is to frame itself.
#pragma once

#include "platform/wayland/wayland_window.h"

namespace titletype {

class CompositorFramedWindow final : public WaylandWindow {
 public:
  explicit CompositorFramedWindow(WaylandGlobals& globals);

  void map() override;
  /// Whether the compositor has sent its first configure.
  bool answered() const { return answered_; }
  /// Whether it answered that it draws no frame for this window.
  bool frame_refused() const { return frame_refused_; }

 private:
  friend struct ToplevelCallbacks;
  void set_title(const char* title) override;

  Owned<xdg_surface> xdg_surface_;
  Owned<xdg_toplevel> toplevel_;
  Owned<zxdg_toplevel_decoration_v1> decoration_;
  bool answered_ = false;
  bool frame_refused_ = false;
};

}  // namespace titletype
