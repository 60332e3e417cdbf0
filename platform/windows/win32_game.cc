// SPDX-License-Identifier: MIT
#include "platform/windows/win32_game.h"

#include <algorithm>
#include <chrono>
#include <optional>

#include "platform/steady_clock.h"
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

KeyCode key_of(WPARAM wparam) { return static_cast<KeyCode>(wparam & 0xffff); }

/// Turns the window's messages into the game's events.
class Win32Events final : public Win32Window::MessageHandler {
 public:
  void attach(FormHost& host, HWND window, const Clock& clock) {
    host_ = &host, window_ = window, clock_ = &clock;
  }

  std::optional<LRESULT> on_message(UINT message, WPARAM wparam, LPARAM) override {
    if (!host_) return std::nullopt;
    switch (message) {
      // Alt and F10 come as "system" keys. The game takes them all and never
      // hands them on, so that the window does not enter menu mode (which
      // would swallow the next keys) nor beep; Alt+F4 still closes it.
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        host_->key_down(key_of(wparam), held_modifiers());
        if (message == WM_SYSKEYDOWN && wparam == VK_F4 && held(VK_MENU)) host_->close();
        return 0;
      case WM_KEYUP:
      case WM_SYSKEYUP:
        host_->key_up(key_of(wparam), held_modifiers());
        return 0;
      case WM_SYSCHAR:
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

  FormHost* host_ = nullptr;
  HWND window_ = nullptr;
  const Clock* clock_ = nullptr;
  bool in_modal_loop_ = false;
};

}  // namespace

int run_win32_game(HINSTANCE instance, RandomSource& random) {
  Win32Events events;
  Win32Window window(instance, events);
  const SteadyClock clock;
  FormHost host(clock, random, window);
  events.attach(host, window.handle(), clock);
  window.show();

  WakeTimer wake;
  while (!host.ended()) {
    MSG message;
    while (!host.ended() && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      // No TranslateMessage: the game reads keys, not the characters they type.
      if (message.message == WM_QUIT) host.close();
      DispatchMessageW(&message);
      host.run_due_ticks();  // ticks that fell due while a handler ran
    }
    host.run_due_ticks();
    if (!host.ended()) wake.wait_for_message_or(host.next_deadline(), clock);
  }
  return 0;
}

}  // namespace titletype
