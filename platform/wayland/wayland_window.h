// SPDX-License-Identifier: MIT
// The desktop window on Wayland: an xdg toplevel whose title is the whole
// display of the game, named by the installed desktop entry's id so that
// the desktop finds its icon there. Its frame, which shows the title, is
// the compositor's where it draws one (CompositorFramedWindow) and
// libdecor's elsewhere (LibdecorFramedWindow); its picture is a
// ScaledSurface.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/host/title_display.h"
#include "platform/wayland/frame_choice.h"
#include "platform/wayland/scaled_surface.h"
#include "platform/wayland/wayland_globals.h"

namespace titletype {

class WaylandWindow : public TitleDisplay {
 public:
  ~WaylandWindow() override = default;
  WaylandWindow(const WaylandWindow&) = delete;
  WaylandWindow& operator=(const WaylandWindow&) = delete;

  void show_title(std::string_view title) final;
  /// Shows the window: the compositor answers with its first configure.
  virtual void map() = 0;
  /// After the compositor's events: draws or commits what is due.
  void draw_if_due() { surface_.draw_if_due(); }

  /// The compositor (or the frame's close button) asked the window to go.
  bool close_requested() const { return close_requested_; }
  /// What the frame reported as fatal, if it did: thrown by the caller,
  /// outside Wayland's callbacks.
  const std::string& fault() const { return fault_; }

 protected:
  /// A window of `size` logical pixels.
  WaylandWindow(WaylandGlobals& globals, PixelSize size) : surface_(globals, size) {}
  virtual void set_title(const char* title) = 0;

  ScaledSurface surface_;
  bool close_requested_ = false;
  std::string fault_;

 private:
  std::string shown_title_;
};

/// Opens the window, shown, with the frame that the compositor and
/// `allowed` give; where the compositor draws frames, waits for its answer
/// first. Throws DisplayUnavailable where no frame will do.
std::unique_ptr<WaylandWindow> open_wayland_window(wl_display* display, WaylandGlobals& globals,
                                                   WaylandFrame allowed);

}  // namespace titletype
