// SPDX-License-Identifier: MIT
// The desktop window on Wayland: an xdg toplevel whose title is the whole
// display of the game, named by the installed desktop entry's id so that
// the desktop finds its icon there. Where the compositor draws frames it is
// asked to; elsewhere libdecor draws one, so that the title still shows. Its
// one picture is a plain grey buffer, drawn at the scale of the outputs the
// window is on, so that nothing of it is magnified.
#pragma once

#include <set>
#include <string>
#include <string_view>

#include "platform/host/title_display.h"
#include "platform/wayland/wayland_globals.h"

struct libdecor;
struct libdecor_frame;
struct libdecor_configuration;

namespace titletype {

class WaylandWindow final : public TitleDisplay {
 public:
  /// Creates the window, not yet shown, in logical pixels of the rules'
  /// size (widened for the frame's title).
  WaylandWindow(wl_display* display, WaylandGlobals& globals);
  ~WaylandWindow() override;
  WaylandWindow(const WaylandWindow&) = delete;
  WaylandWindow& operator=(const WaylandWindow&) = delete;

  void show_title(std::string_view title) override;
  /// Shows the window: the compositor answers with its first configure.
  void map();

  /// The compositor (or the frame's close button) asked the window to go.
  bool close_requested() const { return close_requested_; }
  /// What libdecor reported as fatal, if it did: thrown by the caller,
  /// outside Wayland's callbacks.
  const std::string& fault() const { return fault_; }

 private:
  friend struct WindowCallbacks;  // Wayland's and libdecor's listeners

  void configure_frame(libdecor_frame* frame, libdecor_configuration* configuration);
  void configured();
  void entered(wl_output* output, bool entering);
  /// Draws the buffer at the current scale and commits it.
  void draw();
  int integer_scale() const;

  WaylandGlobals& globals_;
  Owned<wl_surface> surface_;
  // With the compositor's frame:
  Owned<xdg_surface> xdg_surface_;
  Owned<xdg_toplevel> toplevel_;
  Owned<zxdg_toplevel_decoration_v1> decoration_;
  // With libdecor's:
  libdecor* libdecor_ = nullptr;
  libdecor_frame* frame_ = nullptr;
  // Scaling by a fraction, where the compositor offers it:
  Owned<wp_viewport> viewport_;
  Owned<wp_fractional_scale_v1> fractional_scale_;

  int width_;
  int height_;
  std::set<wl_output*> outputs_;  // that the window is on
  uint32_t scale_120ths_ = 0;     // the preferred fractional scale, once told
  int drawn_scale_ = 0;           // in 120ths; 0 before the first draw
  Owned<wl_buffer> buffer_;
  std::string shown_title_;
  bool close_requested_ = false;
  std::string fault_;
};

}  // namespace titletype
