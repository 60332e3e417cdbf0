// SPDX-License-Identifier: MIT
#include "platform/x11/x11_game.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "platform/host/exit_status.h"
#include "platform/host/steady_clock.h"
#include "platform/keys/jis_keyboard.h"
#include "platform/keys/keysym_keys.h"
#include "platform/posix/event_loop.h"
#include "platform/x11/server_keyboard.h"
#include "platform/x11/x11_window.h"
#include "platform/x11/xlib_library.h"

namespace titletype {

namespace {

// Xlib calls this when the connection breaks, and ends the process if it
// returns. A C callback can neither return to the game nor throw through
// Xlib, so this is the one fault that does not reach main as an exception:
// it says its one line itself and ends with main's status for a fault.
// Nothing of the game needs saving.
extern "C" int on_connection_lost(Display*) {
  static constexpr char kMessage[] = "titletype: lost the connection to the X server\n";
  [[maybe_unused]] const auto written = write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
  _exit(exit_status::kFault);
}

struct DisplayCloser {
  void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayHandle = std::unique_ptr<Display, DisplayCloser>;

/// Key, focus and window-manager events of the game's window.
class X11Events final : public EventSource {
 public:
  X11Events(Display* display, X11Window& window, int xkb_event_base, KeyModel keys)
      : display_(display), window_(window), xkb_event_base_(xkb_event_base), keys_(keys) {
    read_keyboard();
  }

  int fd() const override { return ConnectionNumber(display_); }

  bool flush_and_check_queued() override {
    XFlush(display_);
    return XQLength(display_) > 0;
  }

  void handle_ready_events(FormHost& host) override {
    while (!host.ended() && XPending(display_) > 0) {
      XEvent event;
      XNextEvent(display_, &event);
      handle(event, host);
    }
  }

 private:
  void handle(const XEvent& event, FormHost& host) {
    switch (event.type) {
      case KeyPress:
        if (keys_ == KeyModel::kTyped) {
          type(event.xkey, host);
        } else if (const auto key = keyboard_.press(event.xkey.keycode, num_lock(event))) {
          host.key_down(key->key, key->modifiers);
        }
        return;
      case KeyRelease:
        if (keys_ == KeyModel::kTyped) return;  // a typed key is a tap, down and up
        if (const auto key = keyboard_.release(event.xkey.keycode, num_lock(event))) {
          host.key_up(key->key, key->modifiers);
        }
        return;
      case FocusIn:
        resync_modifiers();
        return;
      case ClientMessage:
        if (window_.is_close_request(event)) host.close();
        return;
      default:
        if (event.type == xkb_event_base_) {
          // A new keyboard (setxkbmap, a hot-plugged one) may number its keys
          // differently.
          read_keyboard();
          resync_modifiers();
        }
        return;
    }
  }

  /// Play by the typed character: the key-down described by the character
  /// it types in the layout's group and level (AltGr included, Ctrl left
  /// out so that Ctrl with a letter is the letter), for the shared decision.
  void type(XKeyEvent key, FormHost& host) {
    const std::optional<KeyCode> own_key =
        keyboard_.code(static_cast<int>(key.keycode), num_lock(key.state));
    const auto modifiers = static_cast<ModifierMask>((key.state & ShiftMask ? kShiftBit : 0) |
                                                     (key.state & ControlMask ? kCtrlBit : 0) |
                                                     (key.state & Mod1Mask ? kAltBit : 0));
    key.state &= ~static_cast<unsigned>(ControlMask);
    char text[8];
    KeySym symbol = NoSymbol;
    const int length = XLookupString(&key, text, sizeof text, &symbol, nullptr);
    const bool ascii = length == 1 && static_cast<unsigned char>(text[0]) < 0x80;
    TypedKey typed =
        keysym_typed_key(static_cast<uint32_t>(symbol), ascii ? static_cast<char32_t>(text[0]) : 0);
    typed.own_key = own_key;
    typed.modifiers = modifiers;
    if (const auto stroke = typed_key_stroke(typed)) host.key_stroke(*stroke);
  }

  void read_keyboard() {
    const ServerKeyboard server = read_server_keyboard(display_);
    keyboard_ = JisKeyboard(server.names);
    num_lock_mask_ = server.num_lock_mask;
  }

  NumLock num_lock(unsigned state) const {
    return (state & num_lock_mask_) ? NumLock::kOn : NumLock::kOff;
  }
  NumLock num_lock(const XEvent& event) const { return num_lock(event.xkey.state); }
  void resync_modifiers() {
    char keys[32];
    XQueryKeymap(display_, keys);
    JisKeyboard::KeycodeSet down;
    for (int code = 0; code < JisKeyboard::kKeycodes; ++code) {
      down[code] = (keys[code / 8] >> (code % 8)) & 1;
    }
    keyboard_.resync(down);
  }

  Display* display_;
  X11Window& window_;
  int xkb_event_base_;
  KeyModel keys_;
  JisKeyboard keyboard_;
  unsigned num_lock_mask_ = 0;
};

}  // namespace

int run_x11_game(RandomSource& random, KeyModel keys,
                 const std::function<void(const Form1&)>& at_end, HandlerObserver* observer) {
  load_xlib();
  const DisplayHandle display(XOpenDisplay(nullptr));
  if (!display) {
    const char* name = std::getenv("DISPLAY");
    throw DisplayUnavailable("cannot open the display '" + std::string(name ? name : "") + "'");
  }
  XSetIOErrorHandler(on_connection_lost);

  X11Window window(display.get());
  const SteadyClock clock;
  FormHost host(clock, random, window);
  host.set_observer(observer);
  window.map();

  // The keyboard's round trips come after the window is on its way: no key
  // reaches the game before it handles its first events, below.
  int xkb_event_base = -1;
  int xkb_error_base = 0;
  int major = XkbMajorVersion;
  int minor = XkbMinorVersion;
  if (XkbQueryExtension(display.get(), nullptr, &xkb_event_base, &xkb_error_base, &major, &minor)) {
    XkbSelectEvents(display.get(), XkbUseCoreKbd, XkbNewKeyboardNotifyMask,
                    XkbNewKeyboardNotifyMask);
  }
  // A held key repeats as further key-downs, with no key-up between them.
  Bool detectable = False;
  XkbSetDetectableAutoRepeat(display.get(), True, &detectable);
  X11Events events(display.get(), window, xkb_event_base, keys);
  return play_to_the_end(host, events, clock, at_end);
}

}  // namespace titletype
