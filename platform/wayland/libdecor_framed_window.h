// SPDX-License-Identifier: MIT
// The Wayland window framed by libdecor, where the compositor draws no
// frames (GNOME's mutter, weston) or leaves this window's to it.
#pragma once

#include "platform/wayland/wayland_window.h"

struct libdecor;
struct libdecor_frame;
struct libdecor_configuration;

namespace titletype {

class LibdecorFramedWindow final : public WaylandWindow {
 public:
  /// REQUIRES: libdecor is loaded (load_libdecor). Throws
  /// DisplayUnavailable where libdecor cannot make a frame.
  LibdecorFramedWindow(wl_display* display, WaylandGlobals& globals);
  ~LibdecorFramedWindow() override;

  void map() override;

 private:
  friend struct FrameCallbacks;
  void set_title(const char* title) override;
  void configure(libdecor_frame* frame, libdecor_configuration* configuration);

  libdecor* libdecor_ = nullptr;
  libdecor_frame* frame_ = nullptr;
};

}  // namespace titletype
