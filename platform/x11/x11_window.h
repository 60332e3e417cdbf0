// SPDX-License-Identifier: MIT
// The desktop window: an ordinary top-level X11 window whose title is the
// whole display of the game. It carries the game's icon, behaves as a
// well-kept client (class, process id, machine, size hints, close button)
// and draws nothing: the server paints its plain background itself.
#pragma once

#include <X11/Xlib.h>

#include <string>
#include <string_view>

#include "platform/host/title_display.h"
#include "platform/window/frame_size.h"

namespace titletype {

class X11Window final : public TitleDisplay {
 public:
  /// The desktop's DPI as its toolkits see it (Xft.dpi), 96 if it has none.
  static int desktop_dpi(Display* display);

  /// Creates the window, unmapped, sized for the desktop's DPI.
  explicit X11Window(Display* display);
  ~X11Window() override;
  X11Window(const X11Window&) = delete;
  X11Window& operator=(const X11Window&) = delete;

  void show_title(std::string_view title) override;
  void map();

  ::Window id() const { return window_; }
  /// Whether `event` is the window manager asking the window to close.
  bool is_close_request(const XEvent& event) const;

 private:
  void set_icon();
  void set_client_properties(PixelSize size);

  /// The atoms the window names, asked for in one request.
  enum AtomName { kWmDeleteWindow, kWmProtocols, kNetWmName, kUtf8String, kNetWmPid, kNetWmIcon };
  static constexpr int kAtoms = kNetWmIcon + 1;

  Display* display_;
  ::Window window_;
  Atom atoms_[kAtoms] = {};
  std::string shown_title_;
};

}  // namespace titletype
