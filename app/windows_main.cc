// SPDX-License-Identifier: MIT
// titletype on Windows: plays in a native window and returns the exit
// status. A GUI program has no console of its own, so --help, --version and
// usage errors go to the console or pipe it was started from, or to a
// message box when there is neither.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "app/front.h"
#include "platform/host/clock_random.h"
#include "platform/speech/narrator.h"
#include "platform/windows/sapi_voice.h"
#include "platform/windows/win32_game.h"

namespace titletype {
namespace {

std::string narrow(const wchar_t* wide) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string text(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), size, nullptr, nullptr);
  text.pop_back();  // the terminating null
  return text;
}

std::vector<std::string> arguments() {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 1; wide && i < count; ++i) args.push_back(narrow(wide[i]));
  LocalFree(wide);
  return args;
}

bool write_all(HANDLE out, const std::string& text) {
  DWORD written = 0;
  return out && out != INVALID_HANDLE_VALUE &&
         WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
         written == text.size();
}

void tell(std::string_view text_view, bool is_error) {
  const std::string text(text_view);
  if (write_all(GetStdHandle(is_error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE), text)) return;
  if (AttachConsole(ATTACH_PARENT_PROCESS)) {
    HANDLE console = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
    const bool written = write_all(console, text);
    if (console != INVALID_HANDLE_VALUE) CloseHandle(console);
    if (written) return;
  }
  std::wstring wide(text.size() + 1, L'\0');
  wide.resize(static_cast<std::size_t>(
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                          static_cast<int>(wide.size()))));
  MessageBoxW(nullptr, wide.c_str(), L"titletype", is_error ? MB_ICONERROR : MB_ICONINFORMATION);
}

}  // namespace
}  // namespace titletype

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace titletype;
  const std::vector<std::string> args = arguments();
  std::vector<const char*> pointers;
  for (const std::string& arg : args) pointers.push_back(arg.c_str());
  return run_front(pointers, Places::kWindowOnly, tell, [](const CommandLine& line) {
    // The voice first: where it cannot be had, no window opens.
    std::unique_ptr<SapiVoice> voice;
    std::unique_ptr<Narrator> narrator;
    if (line.speak) {
      voice = std::make_unique<SapiVoice>();
      narrator = std::make_unique<Narrator>(*voice);
    }
    ClockSeededRandom random;
    return run_win32_game(GetModuleHandleW(nullptr), random, line.keys, narrator.get());
  });
}
