// SPDX-License-Identifier: MIT
#include "platform/x11/xlib_library.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xresource.h>
#include <X11/Xutil.h>

#include "platform/posix/runtime_library.h"
#include "platform/window/display_unavailable.h"

namespace titletype {

namespace {

// Every Xlib function the window calls: the build links no libX11, so one
// left out of this list is a link error, never a fault at run time.
// clang-format off
#define TITLETYPE_XLIB_FUNCTIONS(F) \
  F(XChangeProperty) \
  F(XCloseDisplay) \
  F(XCreateWindow) \
  F(XDestroyWindow) \
  F(XFlush) \
  F(XInternAtoms) \
  F(XLookupString) \
  F(XMapWindow) \
  F(XNextEvent) \
  F(XOpenDisplay) \
  F(XPending) \
  F(XQLength) \
  F(XQueryKeymap) \
  F(XResourceManagerString) \
  F(XSetClassHint) \
  F(XSetIOErrorHandler) \
  F(XSetWMHints) \
  F(XSetWMNormalHints) \
  F(XStoreName) \
  F(XkbFreeKeyboard) \
  F(XkbGetMap) \
  F(XkbGetNames) \
  F(XkbQueryExtension) \
  F(XkbSelectEvents) \
  F(XkbSetDetectableAutoRepeat) \
  F(XrmDestroyDatabase) \
  F(XrmGetResource) \
  F(XrmGetStringDatabase) \
  F(XrmInitialize)
// clang-format on

struct Xlib {
  TITLETYPE_XLIB_FUNCTIONS(TITLETYPE_FUNCTION_MEMBER)
};

const Xlib& xlib() {
  static const Xlib loaded = load_function_table<Xlib, DisplayUnavailable>(
      "libX11.so.6", [](RuntimeLibrary& library, Xlib& table, bool& found) {
        TITLETYPE_XLIB_FUNCTIONS(TITLETYPE_RESOLVE_FUNCTION)
      });
  return loaded;
}

}  // namespace

void load_xlib() { xlib(); }

}  // namespace titletype

// The window's Xlib calls, each to libX11's own function.
using titletype::xlib;
// Named as we read them: the headers' parameter names differ from library to library.
// NOLINTBEGIN(readability-inconsistent-declaration-parameter-name)
extern "C" {
int XChangeProperty(Display* d, Window w, Atom property, Atom type, int format, int mode,
                    const unsigned char* data, int count) {
  return xlib().XChangeProperty(d, w, property, type, format, mode, data, count);
}
int XCloseDisplay(Display* d) { return xlib().XCloseDisplay(d); }
Window XCreateWindow(Display* d, Window parent, int x, int y, unsigned width, unsigned height,
                     unsigned border, int depth, unsigned window_class, Visual* visual,
                     unsigned long mask, XSetWindowAttributes* attributes) {
  return xlib().XCreateWindow(d, parent, x, y, width, height, border, depth, window_class, visual,
                              mask, attributes);
}
int XDestroyWindow(Display* d, Window w) { return xlib().XDestroyWindow(d, w); }
int XFlush(Display* d) { return xlib().XFlush(d); }
Status XInternAtoms(Display* d, char** names, int count, Bool only_if_exist, Atom* atoms) {
  return xlib().XInternAtoms(d, names, count, only_if_exist, atoms);
}
int XLookupString(XKeyEvent* event, char* text, int size, KeySym* symbol, XComposeStatus* status) {
  return xlib().XLookupString(event, text, size, symbol, status);
}
int XMapWindow(Display* d, Window w) { return xlib().XMapWindow(d, w); }
int XNextEvent(Display* d, XEvent* event) { return xlib().XNextEvent(d, event); }
Display* XOpenDisplay(const char* name) { return xlib().XOpenDisplay(name); }
int XPending(Display* d) { return xlib().XPending(d); }
int XQLength(Display* d) { return xlib().XQLength(d); }
int XQueryKeymap(Display* d, char keys[32]) { return xlib().XQueryKeymap(d, keys); }
char* XResourceManagerString(Display* d) { return xlib().XResourceManagerString(d); }
int XSetClassHint(Display* d, Window w, XClassHint* hint) {
  return xlib().XSetClassHint(d, w, hint);
}
int XSetWMHints(Display* d, Window w, XWMHints* hints) { return xlib().XSetWMHints(d, w, hints); }
void XSetWMNormalHints(Display* d, Window w, XSizeHints* hints) {
  xlib().XSetWMNormalHints(d, w, hints);
}
XIOErrorHandler XSetIOErrorHandler(XIOErrorHandler handler) {
  return xlib().XSetIOErrorHandler(handler);
}
int XStoreName(Display* d, Window w, const char* name) { return xlib().XStoreName(d, w, name); }
void XkbFreeKeyboard(XkbDescPtr xkb, unsigned which, Bool free_all) {
  xlib().XkbFreeKeyboard(xkb, which, free_all);
}
XkbDescPtr XkbGetMap(Display* d, unsigned which, unsigned device) {
  return xlib().XkbGetMap(d, which, device);
}
Status XkbGetNames(Display* d, unsigned which, XkbDescPtr xkb) {
  return xlib().XkbGetNames(d, which, xkb);
}
Bool XkbQueryExtension(Display* d, int* opcode, int* event_base, int* error_base, int* major,
                       int* minor) {
  return xlib().XkbQueryExtension(d, opcode, event_base, error_base, major, minor);
}
Bool XkbSelectEvents(Display* d, unsigned device, unsigned affect, unsigned values) {
  return xlib().XkbSelectEvents(d, device, affect, values);
}
Bool XkbSetDetectableAutoRepeat(Display* d, Bool detectable, Bool* supported) {
  return xlib().XkbSetDetectableAutoRepeat(d, detectable, supported);
}
void XrmDestroyDatabase(XrmDatabase database) { xlib().XrmDestroyDatabase(database); }
Bool XrmGetResource(XrmDatabase database, const char* name, const char* class_name, char** type,
                    XrmValue* value) {
  return xlib().XrmGetResource(database, name, class_name, type, value);
}
XrmDatabase XrmGetStringDatabase(const char* data) { return xlib().XrmGetStringDatabase(data); }
void XrmInitialize() { xlib().XrmInitialize(); }
}
// NOLINTEND(readability-inconsistent-declaration-parameter-name)
