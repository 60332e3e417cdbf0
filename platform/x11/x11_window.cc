// SPDX-License-Identifier: MIT
#include "platform/x11/x11_window.h"

#include <X11/Xatom.h>
#include <X11/Xresource.h>
#include <X11/Xutil.h>
#include <limits.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/window/xpm_image.h"

namespace titletype {

int X11Window::desktop_dpi(Display* display) {
  const char* resources = XResourceManagerString(display);
  if (!resources) return kDefaultDpi;
  XrmInitialize();
  XrmDatabase database = XrmGetStringDatabase(resources);
  char* type = nullptr;
  XrmValue value{};
  int dpi = kDefaultDpi;
  if (XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr) {
    char* end = nullptr;
    const double read = std::strtod(value.addr, &end);
    if (end != value.addr) dpi = plausible_dpi(read);
  }
  XrmDestroyDatabase(database);
  return dpi;
}

X11Window::X11Window(Display* display) : display_(display) {
  // One round trip for them all, where each alone would wait for its own.
  const char* names[kAtoms] = {"WM_DELETE_WINDOW", "WM_PROTOCOLS", "_NET_WM_NAME",
                               "UTF8_STRING",      "_NET_WM_PID",  "_NET_WM_ICON"};
  XInternAtoms(display_, const_cast<char**>(names), kAtoms, False, atoms_);
  const int screen = DefaultScreen(display_);
  const bool true_colour = DefaultVisual(display_, screen)->c_class == TrueColor;
  XSetWindowAttributes attributes{};
  // A TrueColor pixel is 0xRRGGBB.
  attributes.background_pixel = true_colour ? kBackgroundGrey : WhitePixel(display_, screen);
  // Keys and focus only: pointer motion, exposure and the rest never wake us.
  attributes.event_mask = KeyPressMask | KeyReleaseMask | FocusChangeMask;
  const PixelSize size = framed_client_size(desktop_dpi(display_));
  window_ =
      XCreateWindow(display_, RootWindow(display_, screen), 0, 0, static_cast<unsigned>(size.width),
                    static_cast<unsigned>(size.height), 0, CopyFromParent, InputOutput,
                    CopyFromParent, CWBackPixel | CWEventMask, &attributes);
  set_client_properties(size);
  set_icon();
}

X11Window::~X11Window() { XDestroyWindow(display_, window_); }

void X11Window::set_client_properties(PixelSize size) {
  XClassHint class_hint{const_cast<char*>("titletype"), const_cast<char*>(TITLETYPE_WINDOW_CLASS)};
  XWMHints wm_hints{};
  wm_hints.flags = InputHint | StateHint;
  wm_hints.input = True;
  wm_hints.initial_state = NormalState;
  XSizeHints size_hints{};
  // A fixed size: managers then offer no resizing and no maximise button,
  // which leaves the title its room.
  size_hints.flags = PSize | PMinSize | PMaxSize;
  size_hints.width = size_hints.min_width = size_hints.max_width = size.width;
  size_hints.height = size_hints.min_height = size_hints.max_height = size.height;
  // Set one by one: XSetWMProperties would also ask the server for the
  // atom of a locale that an ASCII title does not need.
  XSetWMNormalHints(display_, window_, &size_hints);
  XSetWMHints(display_, window_, &wm_hints);
  XSetClassHint(display_, window_, &class_hint);

  char host[HOST_NAME_MAX + 1] = {};
  if (gethostname(host, sizeof host - 1) == 0) {
    XChangeProperty(display_, window_, XA_WM_CLIENT_MACHINE, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<unsigned char*>(host), static_cast<int>(strlen(host)));
  }
  const long pid = getpid();
  XChangeProperty(display_, window_, atoms_[kNetWmPid], XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&pid), 1);
  XChangeProperty(display_, window_, atoms_[kWmProtocols], XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&atoms_[kWmDeleteWindow]), 1);
}

void X11Window::set_icon() {
  const ArgbImage& icon = window_icon();
  if (icon.pixels.empty()) return;
  // Format-32 properties travel as arrays of long, whatever its width.
  std::vector<long> data{icon.width, icon.height};
  data.insert(data.end(), icon.pixels.begin(), icon.pixels.end());
  XChangeProperty(display_, window_, atoms_[kNetWmIcon], XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(data.data()),
                  static_cast<int>(data.size()));
}

void X11Window::show_title(std::string_view title) {
  if (title == shown_title_) return;
  shown_title_ = title;
  // Every title of the game is ASCII, so both properties hold the same bytes.
  XStoreName(display_, window_, shown_title_.c_str());
  XChangeProperty(display_, window_, atoms_[kNetWmName], atoms_[kUtf8String], 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(shown_title_.data()),
                  static_cast<int>(shown_title_.size()));
}

void X11Window::map() { XMapWindow(display_, window_); }

bool X11Window::is_close_request(const XEvent& event) const {
  return event.type == ClientMessage && event.xclient.window == window_ &&
         event.xclient.format == 32 &&
         static_cast<Atom>(event.xclient.data.l[0]) == atoms_[kWmDeleteWindow];
}

}  // namespace titletype
