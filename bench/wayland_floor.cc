// SPDX-License-Identifier: MIT
// The floor that the Wayland window is measured against: the smallest
// Wayland client that behaves like the game at the compositor. A grey
// toplevel of the game's window size, framed by the compositor, whose title changes at each key
// press and at each tick of a 1000 ms deadline timer (poll, rounded to whole
// milliseconds); Esc ends it. No keymap is read, no key repeats.
#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>

#include "platform/window/frame_size.h"
#include "wayland/xdg-decoration-unstable-v1.h"
#include "wayland/xdg-shell.h"

namespace {

// The game's window in logical pixels: the rules' size, widened for the
// frame's title.
constexpr titletype::PixelSize kWindow = titletype::framed_client_size(titletype::kDefaultDpi);

struct Floor {
  wl_compositor* compositor = nullptr;
  wl_shm* shm = nullptr;
  xdg_wm_base* shell = nullptr;
  wl_seat* seat = nullptr;
  zxdg_decoration_manager_v1* decorations = nullptr;
  wl_surface* surface = nullptr;
  xdg_toplevel* toplevel = nullptr;
  std::string title = "floor";
  bool drawn = false, done = false;

  void set_title(std::string text) {
    title = std::move(text);
    xdg_toplevel_set_title(toplevel, title.c_str());
  }
  void draw() {
    constexpr int kWidth = kWindow.width, kHeight = kWindow.height, kStride = kWidth * 4,
                  kSize = kStride * kHeight;
    const int fd = memfd_create("floor", MFD_CLOEXEC);
    if (ftruncate(fd, kSize) != 0) return;
    void* pixels = mmap(nullptr, kSize, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    std::fill_n(static_cast<uint32_t*>(pixels), kWidth * kHeight, 0xffc0c0c0);
    munmap(pixels, kSize);
    wl_shm_pool* pool = wl_shm_create_pool(shm, fd, kSize);
    wl_surface_attach(
        surface,
        wl_shm_pool_create_buffer(pool, 0, kWidth, kHeight, kStride, WL_SHM_FORMAT_XRGB8888), 0, 0);
    wl_shm_pool_destroy(pool);
    close(fd);
    wl_surface_commit(surface);
    drawn = true;
  }
};

void on_global(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
  auto& f = *static_cast<Floor*>(data);
  const auto is = [&](const wl_interface& i) { return !strcmp(interface, i.name); };
  const auto bind = [&](const wl_interface& i, uint32_t version) {
    return wl_registry_bind(registry, name, &i, version);
  };
  if (is(wl_compositor_interface))
    f.compositor = static_cast<wl_compositor*>(bind(wl_compositor_interface, 1));
  if (is(wl_shm_interface)) f.shm = static_cast<wl_shm*>(bind(wl_shm_interface, 1));
  if (is(xdg_wm_base_interface))
    f.shell = static_cast<xdg_wm_base*>(bind(xdg_wm_base_interface, 1));
  if (is(wl_seat_interface) && !f.seat) f.seat = static_cast<wl_seat*>(bind(wl_seat_interface, 1));
  if (is(zxdg_decoration_manager_v1_interface))
    f.decorations =
        static_cast<zxdg_decoration_manager_v1*>(bind(zxdg_decoration_manager_v1_interface, 1));
}
const wl_registry_listener kRegistry{on_global, [](void*, wl_registry*, uint32_t) {}};
const xdg_wm_base_listener kShell{
    [](void*, xdg_wm_base* s, uint32_t serial) { xdg_wm_base_pong(s, serial); }};
const xdg_surface_listener kXdgSurface{[](void* data, xdg_surface* s, uint32_t serial) {
  xdg_surface_ack_configure(s, serial);
  auto& f = *static_cast<Floor*>(data);
  f.drawn ? wl_surface_commit(f.surface) : f.draw();
}};
const xdg_toplevel_listener kToplevel{
    [](void*, xdg_toplevel*, int32_t, int32_t, wl_array*) {},
    [](void* data, xdg_toplevel*) { static_cast<Floor*>(data)->done = true; }, nullptr, nullptr};
const wl_keyboard_listener kKeyboard{
    [](void*, wl_keyboard*, uint32_t, int32_t fd, uint32_t) { close(fd); },
    [](void*, wl_keyboard*, uint32_t, wl_surface*, wl_array*) {},
    [](void*, wl_keyboard*, uint32_t, wl_surface*) {},
    [](void* data, wl_keyboard*, uint32_t, uint32_t, uint32_t key, uint32_t state) {
      auto& f = *static_cast<Floor*>(data);
      if (state != WL_KEYBOARD_KEY_STATE_PRESSED) return;
      if (key == 1) f.done = true;  // Esc
      f.set_title("key " + std::to_string(key + 8) + " " + std::to_string(f.title.size()));
    },
    [](void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {},
    nullptr};

}  // namespace

int main() {
  wl_display* display = wl_display_connect(nullptr);
  if (!display) return 1;
  Floor f;
  wl_registry_add_listener(wl_display_get_registry(display), &kRegistry, &f);
  wl_display_roundtrip(display);
  if (!f.compositor || !f.shm || !f.shell || !f.seat) return 1;
  xdg_wm_base_add_listener(f.shell, &kShell, nullptr);
  wl_keyboard_add_listener(wl_seat_get_keyboard(f.seat), &kKeyboard, &f);
  f.surface = wl_compositor_create_surface(f.compositor);
  xdg_surface* xdg = xdg_wm_base_get_xdg_surface(f.shell, f.surface);
  xdg_surface_add_listener(xdg, &kXdgSurface, &f);
  f.toplevel = xdg_surface_get_toplevel(xdg);
  xdg_toplevel_add_listener(f.toplevel, &kToplevel, &f);
  xdg_toplevel_set_min_size(f.toplevel, kWindow.width, kWindow.height);
  xdg_toplevel_set_max_size(f.toplevel, kWindow.width, kWindow.height);
  if (f.decorations) {
    zxdg_toplevel_decoration_v1_set_mode(
        zxdg_decoration_manager_v1_get_toplevel_decoration(f.decorations, f.toplevel),
        ZXDG_TOPLEVEL_DECORATION_V1_MODE_SERVER_SIDE);
  }
  f.set_title("floor");
  wl_surface_commit(f.surface);

  using Clock = std::chrono::steady_clock;
  auto deadline = Clock::now() + std::chrono::milliseconds(1000);
  while (!f.done) {
    while (wl_display_prepare_read(display) != 0) wl_display_dispatch_pending(display);
    wl_display_flush(display);
    if (Clock::now() >= deadline) {
      wl_display_cancel_read(display);
      deadline += std::chrono::milliseconds(1000);
      f.set_title("tick " + std::to_string(f.title.size()));
      continue;
    }
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    pollfd watched{wl_display_get_fd(display), POLLIN, 0};
    if (poll(&watched, 1, static_cast<int>(std::max<long>(left.count(), 0))) > 0) {
      if (wl_display_read_events(display) < 0) return 1;
    } else {
      wl_display_cancel_read(display);
    }
    if (wl_display_dispatch_pending(display) < 0) return 1;
  }
  wl_display_disconnect(display);
  return 0;
}
