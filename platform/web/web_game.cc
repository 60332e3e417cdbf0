// SPDX-License-Identifier: MIT
#include "platform/web/web_game.h"

#include <cstdint>
#include <optional>

#include "platform/host/form_host.h"
#include "platform/host/steady_clock.h"
#include "platform/keys/dom_codes.h"
#include "platform/keys/key_model.h"
#include "platform/keys/typed_keys.h"
#include "platform/speech/narrator.h"
#include "platform/window/window_size.h"

extern "C" __attribute__((import_module("page"), import_name("set_title"))) void page_set_title(
    const char* text, int length);
extern "C" __attribute__((import_module("page"), import_name("speak"))) void page_speak(
    const char* text, int length, int interrupt);

namespace titletype {

namespace {

struct TabTitle final : TitleDisplay {
  void show_title(std::string_view title) override {
    page_set_title(title.data(), static_cast<int>(title.size()));
  }
};

/// The browser's speech (speechSynthesis), which the page speaks through.
struct PageVoice final : Voice {
  void say(std::string_view text, Delivery delivery) override {
    page_speak(text.data(), static_cast<int>(text.size()), delivery == Delivery::kInterrupt);
  }
};

SteadyClock steady_clock;
TabTitle tab_title;
std::optional<FormHost> host;
PageVoice page_voice;
std::optional<Narrator> narrator;
KeyModel keys = KeyModel::kPosition;
// The page writes KeyboardEvent.code here, and KeyboardEvent.key after it.
char key_buffer[64];

constexpr int kAltGraphBit = 8;  // besides the game's Shift, Ctrl and Alt

/// Whether `key` says that the key typed something that is no character
/// of its own: a dead key, or an input method composing.
bool is_composing(std::string_view key) {
  return key == "Dead" || key == "Process" || key == "Unidentified";
}

/// The character that `key` names, if it is one code point of UTF-8
/// rather than a key that types none ("Enter", "ArrowLeft", "Dead"); any
/// character beyond ASCII as U+FFFD, for no JIS key types one.
char32_t character_of(std::string_view key) {
  if (key.empty()) return 0;
  const auto lead = static_cast<unsigned char>(key[0]);
  const std::size_t length = lead < 0x80 ? 1 : lead >= 0xf0 ? 4 : lead >= 0xe0 ? 3 : 2;
  if (key.size() != length) return 0;
  return lead < 0x80 ? lead : 0xfffd;
}

bool is_modifier_key(std::string_view key) {
  for (std::string_view name : {"Shift", "Control", "Alt", "AltGraph", "Meta", "OS", "CapsLock",
                                "NumLock", "Fn", "Super", "Hyper"}) {
    if (key == name) return true;
  }
  return false;
}

/// A key-down in play by the typed character.
void type_key(std::string_view code, std::string_view key, int modifiers, NumLock num_lock) {
  const auto stroke = typed_key_stroke({
      .text = character_of(key),
      .composing = is_composing(key),
      .modifier_key = is_modifier_key(key),
      .own_key = jis_key_for_dom_code(code, num_lock),
      .modifiers = static_cast<ModifierMask>(modifiers & (kShiftBit | kCtrlBit | kAltBit)),
      .alt_gr = (modifiers & kAltGraphBit) != 0,
  });
  if (stroke) host->key_stroke(*stroke);
}

}  // namespace

void start_web_game(RandomSource& random) { host.emplace(steady_clock, random, tab_title); }

}  // namespace titletype

using titletype::host;

TITLETYPE_WEB_EXPORT("tt_key_buffer") char* tt_key_buffer() { return titletype::key_buffer; }

/// Play by the typed character (the page's address asks for it).
TITLETYPE_WEB_EXPORT("tt_use_typed_keys") void tt_use_typed_keys() {
  titletype::keys = titletype::KeyModel::kTyped;
}

/// A key event whose code (`code_length` bytes) and key (`key_length`) the
/// page has written to the buffer: `down` 1 for a key-down (auto-repeats
/// too), 0 for a key-up; `modifiers` the game's mask, with 8 for AltGr;
/// `num_lock` whether NumLock is on. Keys a JIS keyboard lacks are not the
/// game's.
TITLETYPE_WEB_EXPORT("tt_key")
void tt_key(int code_length, int key_length, int modifiers, int num_lock, int down) {
  using namespace titletype;
  if (!host || code_length < 0 || key_length < 0 ||
      code_length + key_length > static_cast<int>(sizeof key_buffer)) {
    return;
  }
  const std::string_view code(key_buffer, static_cast<std::size_t>(code_length));
  const std::string_view key(key_buffer + code_length, static_cast<std::size_t>(key_length));
  const NumLock lock = num_lock ? NumLock::kOn : NumLock::kOff;
  if (keys == KeyModel::kTyped) {
    if (down) type_key(code, key, modifiers, lock);
    return;
  }
  const auto own = jis_key_for_dom_code(code, lock);
  if (!own) return;
  const auto mask = static_cast<ModifierMask>(modifiers & (kShiftBit | kCtrlBit | kAltBit));
  down ? host->key_down(*own, mask) : host->key_up(*own, mask);
}

/// Say the game aloud too (the page's address asks for it).
TITLETYPE_WEB_EXPORT("tt_speak") void tt_speak() {
  if (!host) return;
  titletype::narrator.emplace(titletype::page_voice);
  host->set_observer(&*titletype::narrator);
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

/// The window's client area in CSS pixels (96 to the inch), where the page
/// draws the game's empty window.
TITLETYPE_WEB_EXPORT("tt_client_width") int tt_client_width() {
  return titletype::client_size(titletype::kDefaultDpi).width;
}
TITLETYPE_WEB_EXPORT("tt_client_height") int tt_client_height() {
  return titletype::client_size(titletype::kDefaultDpi).height;
}
