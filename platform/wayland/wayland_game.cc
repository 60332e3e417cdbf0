// SPDX-License-Identifier: MIT
#include "platform/wayland/wayland_game.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>

#include "platform/host/steady_clock.h"
#include "platform/posix/event_loop.h"
#include "platform/wayland/wayland_client.h"
#include "platform/wayland/wayland_globals.h"
#include "platform/wayland/wayland_keyboard.h"
#include "platform/wayland/wayland_library.h"
#include "platform/wayland/wayland_window.h"

namespace titletype {

namespace {

struct DisplayCloser {
  void operator()(wl_display* display) const { wl_display_disconnect(display); }
};

/// Why the connection ended: the compositor went away, or it refused a
/// request of ours.
std::runtime_error lost_connection(wl_display* display) {
  const int error = wl_display_get_error(display);
  if (error == EPROTO) {
    const wl_interface* interface = nullptr;
    const uint32_t code = wl_display_get_protocol_error(display, &interface, nullptr);
    return std::runtime_error(std::string("the Wayland compositor refused a request (") +
                              (interface ? interface->name : "?") + " error " +
                              std::to_string(code) + ")");
  }
  return std::runtime_error("lost the connection to the Wayland compositor");
}

/// The compositor's events: the keyboard's, the window's, and the held
/// key's repeats, whose deadline the loop keeps with the game's own.
class WaylandEvents final : public EventSource {
 public:
  WaylandEvents(wl_display* display, WaylandWindow& window, WaylandKeyboard& keyboard)
      : display_(display), window_(window), keyboard_(keyboard) {}

  int fd() const override { return wl_display_get_fd(display_); }

  bool flush_and_check_queued() override {
    // A read can be prepared only when nothing waits in the queue.
    if (wl_display_prepare_read(display_) != 0) return true;
    wl_display_cancel_read(display_);
    unsent_ = false;
    if (wl_display_flush(display_) < 0) {
      // A full socket: what is left is sent once the compositor reads.
      if (errno != EAGAIN) throw lost_connection(display_);
      unsent_ = true;
    }
    return false;
  }
  bool wants_to_write() const override { return unsent_; }

  void handle_ready_events(FormHost& host) override {
    if (wl_display_prepare_read(display_) == 0 && wl_display_read_events(display_) < 0) {
      throw lost_connection(display_);
    }
    keyboard_.play_on(&host);
    const int dispatched = wl_display_dispatch_pending(display_);
    keyboard_.play_on(nullptr);
    if (dispatched < 0) throw lost_connection(display_);
    if (!window_.fault().empty()) throw std::runtime_error(window_.fault());
    if (window_.close_requested()) host.close();
    window_.draw_if_due();
  }

  std::optional<Instant> own_deadline() const override { return keyboard_.repeat_deadline(); }
  void handle_own_deadline(FormHost& host) override {
    keyboard_.play_on(&host);
    keyboard_.repeat_if_due();
    keyboard_.play_on(nullptr);
  }

 private:
  wl_display* display_;
  WaylandWindow& window_;
  WaylandKeyboard& keyboard_;
  bool unsent_ = false;
};

}  // namespace

int run_wayland_game(RandomSource& random, KeyModel keys, WaylandFrame frame,
                     const std::function<void(const Form1&)>& at_end, HandlerObserver* observer) {
  load_wayland_client();
  const std::unique_ptr<wl_display, DisplayCloser> display(wl_display_connect(nullptr));
  if (!display) {
    const char* name = std::getenv("WAYLAND_DISPLAY");
    throw DisplayUnavailable("cannot connect to the Wayland compositor '" +
                             std::string(name ? name : "wayland-0") + "'");
  }
  WaylandGlobals globals(display.get());
  const SteadyClock clock;
  WaylandKeyboard keyboard(globals.seat.get(), keys, clock);
  // The seat's keyboard and the outputs' scales come with the window's
  // first configure.
  const std::unique_ptr<WaylandWindow> window = open_wayland_window(display.get(), globals, frame);
  FormHost host(clock, random, *window);
  host.set_observer(observer);
  window->draw_if_due();  // its first picture, with its title
  WaylandEvents events(display.get(), *window, keyboard);
  return play_to_the_end(host, events, clock, at_end);
}

}  // namespace titletype
