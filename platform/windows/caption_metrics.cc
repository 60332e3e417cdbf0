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

/// How wide the widest title is in the caption font at `dpi`.
int widest_title_width(HWND window, int dpi) {
  const LOGFONTW font_description = caption_font(dpi);
  HFONT font = CreateFontIndirectW(&font_description);
  HDC context = GetDC(window);
  HGDIOBJ previous = SelectObject(context, font);
  int widest = 0;
  for (const std::string_view title : kWidestTitles) {
    const std::wstring wide(title.begin(), title.end());  // ASCII
    SIZE extent{};
    if (GetTextExtentPoint32W(context, wide.c_str(), static_cast<int>(wide.size()), &extent))
      widest = std::max(widest, static_cast<int>(extent.cx));
  }
  SelectObject(context, previous);
  ReleaseDC(window, context);
  DeleteObject(font);
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
