// SPDX-License-Identifier: MIT
#include "platform/windows/win32_game.h"

#include <algorithm>
#include <chrono>
#include <optional>

#include "platform/host/exit_status.h"
#include "platform/host/form_host.h"
#include "platform/host/steady_clock.h"
#include "platform/keys/scan_codes.h"
#include "platform/keys/typed_keys.h"
#include "platform/windows/wake_timer.h"
#include "platform/windows/win32_window.h"

namespace titletype {

namespace {

bool held(int virtual_key) { return GetKeyState(virtual_key) < 0; }

/// The modifier keys held at the moment of the message being handled; the
/// system already counts a modifier key in its own key-down.
ModifierMask held_modifiers() {
  return static_cast<ModifierMask>((held(VK_SHIFT) ? kShiftBit : 0) |
                                   (held(VK_CONTROL) ? kCtrlBit : 0) |
                                   (held(VK_MENU) ? kAltBit : 0));
}

/// The JIS key at the place of the key in `lparam` (its scan code names the
/// place whatever the layout); the layout's own code for keys that come
/// without one (some on-screen keyboards), nothing for keys JIS lacks.
std::optional<KeyCode> key_at_place(WPARAM wparam, LPARAM lparam) {
  const auto scan_code = static_cast<unsigned>((lparam >> 16) & 0xff);
  if (scan_code == 0) return static_cast<KeyCode>(wparam & 0xffff);
  return jis_key_for_scan_code(scan_code, (lparam >> 24) & 1,
                               (GetKeyState(VK_NUMLOCK) & 1) ? NumLock::kOn : NumLock::kOff);
}

bool is_modifier_key(WPARAM wparam) {
  for (WPARAM key : {VK_SHIFT, VK_CONTROL, VK_MENU, VK_LWIN, VK_RWIN, VK_CAPITAL, VK_NUMLOCK}) {
    if (wparam == key) return true;
  }
  return false;
}

/// The character message that TranslateMessage made of the key-down being
/// handled, if any.
struct PendingCharacter {
  wchar_t character;
  bool dead;  // a dead key's, which types nothing yet
};
std::optional<PendingCharacter> pending_character(HWND window) {
  MSG next;
  for (const auto& [first, last] :
       {std::pair{WM_CHAR, WM_DEADCHAR}, {WM_SYSCHAR, WM_SYSDEADCHAR}}) {
    if (PeekMessageW(&next, window, first, last, PM_NOREMOVE)) {
      return PendingCharacter{static_cast<wchar_t>(next.wParam),
                              next.message == WM_DEADCHAR || next.message == WM_SYSDEADCHAR};
    }
  }
  return std::nullopt;
}

/// Turns the window's messages into the game's events.
class Win32Events final : public Win32Window::MessageHandler {
 public:
  explicit Win32Events(KeyModel keys) : keys_(keys) {}

  void attach(FormHost& host, HWND window, const Clock& clock) {
    host_ = &host, window_ = window, clock_ = &clock;
  }

  std::optional<LRESULT> on_message(UINT message, WPARAM wparam, LPARAM lparam) override {
    if (!host_) return std::nullopt;
    switch (message) {
      // Alt and F10 come as "system" keys. The game takes them all and never
      // hands them on, so that the window does not enter menu mode (which
      // would swallow the next keys) nor beep; Alt+F4 still closes it.
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        if (keys_ == KeyModel::kTyped) {
          type_key(wparam, lparam);
        } else if (const auto key = key_at_place(wparam, lparam)) {
          host_->key_down(*key, held_modifiers());
        }
        if (message == WM_SYSKEYDOWN && wparam == VK_F4 && held(VK_MENU)) host_->close();
        return 0;
      case WM_KEYUP:
      case WM_SYSKEYUP:
        if (const auto key = key_at_place(wparam, lparam); key && keys_ == KeyModel::kPosition) {
          host_->key_up(*key, held_modifiers());
        }
        return 0;
      case WM_CHAR:
      case WM_SYSCHAR:
        if (keys_ == KeyModel::kTyped) type_character(static_cast<wchar_t>(wparam));
        return 0;
      case WM_DEADCHAR:
      case WM_SYSDEADCHAR:
        return 0;
      case WM_SYSCOMMAND:
        if ((wparam & 0xfff0) == SC_KEYMENU) return 0;
        return std::nullopt;
      case WM_CLOSE:
      case WM_DESTROY:
        host_->close();
        return 0;
      // Moving the window or opening its system menu runs a loop of the
      // system's own until the mouse lets go; the ticks keep coming
      // meanwhile through an ordinary window timer.
      case WM_ENTERSIZEMOVE:
      case WM_ENTERMENULOOP:
        in_modal_loop_ = true;
        arm_modal_timer();
        return 0;
      case WM_EXITSIZEMOVE:
      case WM_EXITMENULOOP:
        in_modal_loop_ = false;
        KillTimer(window_, kModalTimer);
        return 0;
      case WM_TIMER:
        if (wparam != kModalTimer) return std::nullopt;
        host_->run_due_ticks();
        arm_modal_timer();
        return 0;
      default:
        return std::nullopt;
    }
  }

 private:
  static constexpr UINT_PTR kModalTimer = 1;

  /// A key-down in play by the typed character. A key that types a
  /// printable character is told with its WM_CHAR; Ctrl with a letter types
  /// a control character, so the letter that the layout puts there stands
  /// for it.
  void type_key(WPARAM wparam, LPARAM lparam) {
    const auto pending = pending_character(window_);
    const bool printable =
        pending && !pending->dead && pending->character >= 0x20 && pending->character != 0x7f;
    if (printable) return;
    const bool letter = wparam >= 'A' && wparam <= 'Z';
    type({.text = pending && letter ? static_cast<char32_t>(wparam) : 0,
          .composing = pending && pending->dead,
          .modifier_key = is_modifier_key(wparam),
          .own_key = key_at_place(wparam, lparam),
          .modifiers = held_modifiers()});
  }

  void type_character(wchar_t c) {
    const ModifierMask held = held_modifiers();
    // Ctrl and Alt together are AltGr, which went into the character.
    type({.text = c,
          .modifiers = held,
          .alt_gr = (held & (kCtrlBit | kAltBit)) == (kCtrlBit | kAltBit)});
  }

  void type(const TypedKey& key) {
    if (const auto stroke = typed_key_stroke(key)) host_->key_stroke(*stroke);
  }

  void arm_modal_timer() {
    const auto deadline = host_->next_deadline();
    if (!in_modal_loop_ || !deadline) {
      KillTimer(window_, kModalTimer);
      return;
    }
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(*deadline - clock_->now());
    SetTimer(window_, kModalTimer, static_cast<UINT>(std::max<long long>(left.count(), 1)),
             nullptr);
  }

  KeyModel keys_;
  FormHost* host_ = nullptr;
  HWND window_ = nullptr;
  const Clock* clock_ = nullptr;
  bool in_modal_loop_ = false;
};

}  // namespace

int run_win32_game(HINSTANCE instance, RandomSource& random, KeyModel keys,
                   HandlerObserver* observer) {
  Win32Events events(keys);
  Win32Window window(instance, events);
  const SteadyClock clock;
  FormHost host(clock, random, window);
  host.set_observer(observer);
  events.attach(host, window.handle(), clock);
  window.show();

  WakeTimer wake;
  while (!host.ended()) {
    MSG message;
    while (!host.ended() && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      // The game reads keys, and only in play by the typed character the
      // characters they type.
      if (keys == KeyModel::kTyped) TranslateMessage(&message);
      if (message.message == WM_QUIT) host.close();
      DispatchMessageW(&message);
    }
    host.run_due_ticks();
    if (!host.ended()) wake.wait_for_message_or(host.next_deadline(), clock);
  }
  return exit_status::kDone;
}

}  // namespace titletype
