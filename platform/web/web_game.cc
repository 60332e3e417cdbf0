// SPDX-License-Identifier: MIT
#include "platform/web/web_game.h"

#include <cstdint>
#include <optional>

#include "platform/form_host.h"
#include "platform/steady_clock.h"
#include "platform/web/dom_keys.h"
#include "platform/xpm_image.h"

extern "C" __attribute__((import_module("page"), import_name("set_title"))) void page_set_title(
    const char* text, int length);

namespace titletype {

namespace {

struct TabTitle final : TitleDisplay {
  void show_title(std::string_view title) override {
    page_set_title(title.data(), static_cast<int>(title.size()));
  }
};

SteadyClock steady_clock;
TabTitle tab_title;
std::optional<FormHost> host;
char code_buffer[32];  // the page writes KeyboardEvent.code here

}  // namespace

void start_web_game(RandomSource& random) { host.emplace(steady_clock, random, tab_title); }

}  // namespace titletype

using titletype::host;

TITLETYPE_WEB_EXPORT("tt_code_buffer") char* tt_code_buffer() { return titletype::code_buffer; }

/// A key event whose code the page has written to the buffer: `down` 1 for
/// a key-down (auto-repeats too), 0 for a key-up; `modifiers` the game's
/// mask; `num_lock` whether NumLock is on. Keys a JIS keyboard lacks are
/// not the game's.
TITLETYPE_WEB_EXPORT("tt_key") void tt_key(int length, int modifiers, int num_lock, int down) {
  if (!host || length < 0 || length > static_cast<int>(sizeof titletype::code_buffer)) return;
  const auto key = titletype::jis_key_for_dom_code(
      std::string_view(titletype::code_buffer, static_cast<std::size_t>(length)),
      num_lock ? titletype::NumLock::kOn : titletype::NumLock::kOff);
  if (!key) return;
  const auto mask = static_cast<titletype::ModifierMask>(modifiers & 7);
  down ? host->key_down(*key, mask) : host->key_up(*key, mask);
}

TITLETYPE_WEB_EXPORT("tt_run_due_ticks") void tt_run_due_ticks() {
  if (host) host->run_due_ticks();
}

/// When the next tick falls due, in milliseconds of performance.now(), or
/// -1 while no timer runs.
TITLETYPE_WEB_EXPORT("tt_next_deadline") double tt_next_deadline() {
  const auto due = host ? host->next_deadline() : std::nullopt;
  return due ? std::chrono::duration<double, std::milli>(*due).count() : -1;
}

TITLETYPE_WEB_EXPORT("tt_ended") int tt_ended() { return host && host->ended(); }

/// The window icon as 0xAARRGGBB pixels, row by row, for the favicon.
TITLETYPE_WEB_EXPORT("tt_icon_pixels") const uint32_t* tt_icon_pixels() {
  return titletype::window_icon().pixels.data();
}
TITLETYPE_WEB_EXPORT("tt_icon_size") int tt_icon_size() { return titletype::window_icon().width; }
