// SPDX-License-Identifier: MIT
#include "platform/wayland/wayland_globals.h"

#include <cstring>

#include "platform/window/display_unavailable.h"

namespace titletype {

namespace {

// The versions the window uses: a buffer scale and damage in buffer pixels
// (compositor 4), the keyboard's repeat pace (seat 5), an output's scale
// (output 2).
constexpr uint32_t kCompositorVersion = 4, kSeatVersion = 5, kOutputVersion = 2;

template <typename Proxy>
Proxy* bind(wl_registry* registry, uint32_t name, const wl_interface& interface, uint32_t offered,
            uint32_t wanted) {
  return static_cast<Proxy*>(
      wl_registry_bind(registry, name, &interface, offered < wanted ? offered : wanted));
}

void on_ping(void*, xdg_wm_base* shell, uint32_t serial) { xdg_wm_base_pong(shell, serial); }
constexpr xdg_wm_base_listener kShellListener{.ping = on_ping};

void on_output_scale(void* data, wl_output* output, int32_t factor) {
  static_cast<WaylandGlobals*>(data)->outputs.set_scale(output, factor);
}
constexpr wl_output_listener kOutputListener{
    .geometry = [](void*, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t, const char*,
                   const char*, int32_t) {},
    .mode = [](void*, wl_output*, uint32_t, int32_t, int32_t, int32_t) {},
    .done = [](void*, wl_output*) {},
    .scale = on_output_scale,
    .name = nullptr,
    .description = nullptr,
};

void on_global(void* data, wl_registry* registry, uint32_t name, const char* interface,
               uint32_t version) {
  auto& globals = *static_cast<WaylandGlobals*>(data);
  const auto is = [&](const wl_interface& wanted) { return !strcmp(interface, wanted.name); };
  if (is(wl_compositor_interface) && !globals.compositor) {
    globals.compositor.reset(
        bind<wl_compositor>(registry, name, wl_compositor_interface, version, kCompositorVersion));
  } else if (is(wl_shm_interface) && !globals.shm) {
    globals.shm.reset(bind<wl_shm>(registry, name, wl_shm_interface, version, 1));
  } else if (is(xdg_wm_base_interface) && !globals.shell) {
    globals.shell.reset(bind<xdg_wm_base>(registry, name, xdg_wm_base_interface, version, 1));
    xdg_wm_base_add_listener(globals.shell.get(), &kShellListener, nullptr);
  } else if (is(wl_seat_interface) && !globals.seat) {  // the first seat's keyboard plays
    globals.seat.reset(bind<wl_seat>(registry, name, wl_seat_interface, version, kSeatVersion));
  } else if (is(zxdg_decoration_manager_v1_interface) && !globals.decorations) {
    globals.decorations.reset(bind<zxdg_decoration_manager_v1>(
        registry, name, zxdg_decoration_manager_v1_interface, version, 1));
  } else if (is(wp_viewporter_interface) && !globals.viewporter) {
    globals.viewporter.reset(
        bind<wp_viewporter>(registry, name, wp_viewporter_interface, version, 1));
  } else if (is(wp_fractional_scale_manager_v1_interface) && !globals.fractional_scale) {
    globals.fractional_scale.reset(bind<wp_fractional_scale_manager_v1>(
        registry, name, wp_fractional_scale_manager_v1_interface, version, 1));
  } else if (is(wl_output_interface)) {
    auto* output = bind<wl_output>(registry, name, wl_output_interface, version, kOutputVersion);
    globals.outputs.add(output, name);
    wl_output_add_listener(output, &kOutputListener, &globals);
  }
}

void on_global_remove(void* data, wl_registry*, uint32_t name) {
  // Only an output may go while the game plays; the others are for good.
  if (wl_output* output = static_cast<WaylandGlobals*>(data)->outputs.remove(name)) {
    wl_output_destroy(output);
  }
}
constexpr wl_registry_listener kRegistryListener{.global = on_global,
                                                 .global_remove = on_global_remove};

}  // namespace

WaylandGlobals::WaylandGlobals(wl_display* display) : registry(wl_display_get_registry(display)) {
  wl_registry_add_listener(registry.get(), &kRegistryListener, this);
  if (wl_display_roundtrip(display) < 0) {
    throw DisplayUnavailable("lost the connection to the Wayland compositor");
  }
  if (!compositor || !shm || !shell) {
    throw DisplayUnavailable(
        "the Wayland compositor offers no window (wl_compositor, wl_shm and xdg_wm_base)");
  }
}

WaylandGlobals::~WaylandGlobals() { outputs.for_each(wl_output_destroy); }

}  // namespace titletype
