// SPDX-License-Identifier: MIT
// The Windows window: an ordinary top-level window whose title is the whole
// display of the game. It carries the game's icon from the program's
// resources and draws nothing: the system paints its plain background.
#pragma once

#include <windows.h>

#include <optional>
#include <string_view>

#include "platform/host/title_display.h"

namespace titletype {

class Win32Window final : public TitleDisplay {
 public:
  /// Whoever handles the window's messages: an answer, or nothing to leave
  /// the message to the system's default handling.
  class MessageHandler {
   public:
    virtual ~MessageHandler() = default;
    virtual std::optional<LRESULT> on_message(UINT message, WPARAM wparam, LPARAM lparam) = 0;
  };

  /// Creates the window, hidden.
  Win32Window(HINSTANCE instance, MessageHandler& handler);
  ~Win32Window() override;
  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  void show_title(std::string_view title) override;
  void show();
  HWND handle() const { return window_; }

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  /// Sizes the window for `dpi`, with its top-left corner at `left`, `top`.
  void fit(int dpi, int left, int top);

  HINSTANCE instance_;
  MessageHandler& handler_;
  HWND window_ = nullptr;
};

}  // namespace titletype
