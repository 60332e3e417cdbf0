// SPDX-License-Identifier: MIT
#include "platform/windows/win32_window.h"

#include <imm.h>

#include <stdexcept>
#include <string>

#include "platform/windows/caption_metrics.h"
#include "platform/windows/resource_ids.h"

namespace titletype {

namespace {

constexpr wchar_t kClassName[] = L"titletype";
// A fixed size, so no sizing border and no maximise button: the caption
// keeps its room for the title.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

HICON load_icon(HINSTANCE instance, int width_metric, int height_metric) {
  return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(TITLETYPE_ICON), IMAGE_ICON,
                                       GetSystemMetrics(width_metric),
                                       GetSystemMetrics(height_metric), LR_DEFAULTCOLOR));
}

}  // namespace

Win32Window::Win32Window(HINSTANCE instance, MessageHandler& handler)
    : instance_(instance), handler_(handler) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = instance;
  window_class.hIcon = load_icon(instance, SM_CXICON, SM_CYICON);
  window_class.hIconSm = load_icon(instance, SM_CXSMICON, SM_CYSMICON);
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  window_class.lpszClassName = kClassName;
  if (!RegisterClassExW(&window_class))
    throw std::runtime_error("cannot register the window class");

  // Made at its unwidened size, so that the system lays its caption out
  // as usual, then sized for the DPI of the monitor it is on.
  const PixelSize first = outer_size(client_size(kDefaultDpi), kStyle, kDefaultDpi);
  window_ = CreateWindowExW(0, kClassName, L"", kStyle, CW_USEDEFAULT, CW_USEDEFAULT, first.width,
                            first.height, nullptr, nullptr, instance, this);
  if (!window_) throw std::runtime_error("cannot create the window");
  RECT placed{};
  GetWindowRect(window_, &placed);
  fit(window_dpi(window_), placed.left, placed.top);
  // The game reads keys, not text: with a Japanese input method on, keys
  // would reach the window as "processed by the input method" instead.
  ImmAssociateContextEx(window_, nullptr, 0);
}

Win32Window::~Win32Window() {
  // Whoever handled the messages may be gone by now.
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
  UnregisterClassW(kClassName, instance_);
}

void Win32Window::show_title(std::string_view title) {
  std::wstring wide(title.size() + 1, L'\0');
  const int length =
      title.empty() ? 0
                    : MultiByteToWideChar(CP_UTF8, 0, title.data(), static_cast<int>(title.size()),
                                          wide.data(), static_cast<int>(wide.size()));
  wide.resize(static_cast<std::size_t>(length));
  SetWindowTextW(window_, wide.c_str());
}

void Win32Window::fit(int dpi, int left, int top) {
  const PixelSize outer = outer_size(client_size_for_caption(window_, dpi), kStyle, dpi);
  SetWindowPos(window_, nullptr, left, top, outer.width, outer.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::show() {
  // As the program was started: a shortcut set to "Minimized" starts it so.
  ShowWindow(window_, SW_SHOWDEFAULT);
  UpdateWindow(window_);
}

LRESULT CALLBACK Win32Window::procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self && message == WM_DPICHANGED) {  // moved to a monitor of another DPI
    const auto* suggested = reinterpret_cast<const RECT*>(lparam);
    self->fit(HIWORD(wparam), suggested->left, suggested->top);
    return 0;
  }
  if (self) {
    if (const auto answer = self->handler_.on_message(message, wparam, lparam)) return *answer;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace titletype
