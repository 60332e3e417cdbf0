// SPDX-License-Identifier: MIT
#include "platform/windows/caption_metrics.h"

#include <dwmapi.h>

#include <algorithm>
#include <string>

namespace titletype {

namespace {

// The per-monitor functions came with Windows 10; before it, the system's
// own DPI serves for every monitor.
template <typename Function>
Function* user32_function(const char* name) {
  return reinterpret_cast<Function*>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}
using GetDpiForWindowFunction = UINT WINAPI(HWND);
using SystemParametersInfoForDpiFunction = BOOL WINAPI(UINT, UINT, PVOID, UINT, UINT);
using GetSystemMetricsForDpiFunction = int WINAPI(int, UINT);
using AdjustWindowRectExForDpiFunction = BOOL WINAPI(LPRECT, DWORD, BOOL, DWORD, UINT);

int system_metric(int index, int dpi) {
  static const auto for_dpi =
      user32_function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
  return for_dpi ? for_dpi(index, static_cast<UINT>(dpi)) : GetSystemMetrics(index);
}

LOGFONTW caption_font(int dpi) {
  static const auto for_dpi =
      user32_function<SystemParametersInfoForDpiFunction>("SystemParametersInfoForDpi");
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!(for_dpi
            ? for_dpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi))
            : SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))) {
    metrics.lfCaptionFont.lfHeight = -MulDiv(9, dpi, 72);  // 9 points, the usual size
  }
  return metrics.lfCaptionFont;
}

/// The caption font, deleted when it goes.
class CaptionFont {
 public:
  explicit CaptionFont(int dpi) {
    const LOGFONTW description = caption_font(dpi);
    font_ = CreateFontIndirectW(&description);
  }
  ~CaptionFont() {
    if (font_) DeleteObject(font_);
  }
  CaptionFont(const CaptionFont&) = delete;
  CaptionFont& operator=(const CaptionFont&) = delete;
  HFONT get() const { return font_; }

 private:
  HFONT font_ = nullptr;
};

/// A window's device context with a font selected into it, both given back
/// when it goes.
class FontContext {
 public:
  FontContext(HWND window, HFONT font) : window_(window), context_(GetDC(window)) {
    if (context_ && font) previous_ = SelectObject(context_, font);
  }
  ~FontContext() {
    if (previous_) SelectObject(context_, previous_);
    if (context_) ReleaseDC(window_, context_);
  }
  FontContext(const FontContext&) = delete;
  FontContext& operator=(const FontContext&) = delete;
  /// Whether text can be measured in the font.
  bool ready() const { return previous_ != nullptr; }
  HDC get() const { return context_; }

 private:
  HWND window_;
  HDC context_;
  HGDIOBJ previous_ = nullptr;
};

/// How wide the widest title is in the caption font at `dpi`; 0 if it cannot
/// be measured, which leaves the window at its base width.
int widest_title_width(HWND window, int dpi) {
  const CaptionFont font(dpi);
  const FontContext context(window, font.get());
  if (!context.ready()) return 0;
  int widest = 0;
  for (const std::string& title : widest_titles()) {
    const std::wstring wide(title.begin(), title.end());  // ASCII
    SIZE extent{};
    if (GetTextExtentPoint32W(context.get(), wide.c_str(), static_cast<int>(wide.size()), &extent))
      widest = std::max(widest, static_cast<int>(extent.cx));
  }
  return widest;
}

/// The caption buttons as the system draws them: minimise, maximise
/// (greyed) and close.
int buttons_width(HWND window, int dpi) {
  RECT bounds{};
  if (SUCCEEDED(
          DwmGetWindowAttribute(window, DWMWA_CAPTION_BUTTON_BOUNDS, &bounds, sizeof bounds)) &&
      bounds.right > bounds.left)
    return bounds.right - bounds.left;
  return 3 * system_metric(SM_CXSIZE, dpi);
}

}  // namespace

int window_dpi(HWND window) {
  static const auto for_window = user32_function<GetDpiForWindowFunction>("GetDpiForWindow");
  if (for_window) return plausible_dpi(for_window(window));
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return plausible_dpi(dpi);
}

PixelSize client_size_for_caption(HWND window, int dpi) {
  const CaptionFigures caption{
      .text_width = widest_title_width(window, dpi),
      .icon_width = system_metric(SM_CXSMICON, dpi),
      .buttons_width = buttons_width(window, dpi),
      .frame_padding = system_metric(SM_CXPADDEDBORDER, dpi),
  };
  return {client_width_for_caption(caption, dpi), client_size(dpi).height};
}

PixelSize outer_size(PixelSize client, DWORD style, int dpi) {
  static const auto for_dpi =
      user32_function<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
  RECT frame{0, 0, client.width, client.height};
  if (for_dpi) {
    for_dpi(&frame, style, FALSE, 0, static_cast<UINT>(dpi));
  } else {
    AdjustWindowRectEx(&frame, style, FALSE, 0);
  }
  return {frame.right - frame.left, frame.bottom - frame.top};
}

}  // namespace titletype
