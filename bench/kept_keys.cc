// SPDX-License-Identifier: MIT
// Measures which modified keys a browser keeps for itself and never shows a
// page, and writes them into the README's table of kept keys (the row that
// starts with the browser's name). Run when a browser changes, by
// bench/run.sh --kept-keys; it measures browsers, not the game.
//
// Each key that the game judges (but Space, Enter, Tab, Backspace and Esc)
// is pressed with Shift, Ctrl, Alt and Ctrl+Alt in a tab showing
// key_echo.html, on a private X server under the Japanese layout.
//
// Usage: kept_keys chromium|firefox|epiphany README
#include <cctype>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>

#include "platform/x11/server_keyboard.h"
#include "tests/harness/browser.h"
#include "tests/harness/layout_keys.h"

namespace titletype::e2e {
namespace {

/// The modifiers that keys are pressed with, with their masks in the page.
const std::vector<std::tuple<std::string, int, Chord>> kModifiers{
    {"Shift+", 1, {kLeftShiftKeycode}},
    {"Ctrl+", 2, {kLeftCtrlKeycode}},
    {"Alt+", 4, {kLeftAltKeycode}},
    {"Ctrl+Alt+", 6, {kLeftCtrlKeycode, kLeftAltKeycode}}};

struct JudgedKey {
  std::string legend;  // its JIS legend: "@", "Page Up"
  int keycode;
  KeyCode code;
};

/// The first keycode at the place of the JIS key `key`.
int keycode_at(const JisKeyboard& places, KeyCode key) {
  for (int keycode = 0; keycode < JisKeyboard::kKeycodes; ++keycode)
    if (places.code(keycode, NumLock::kOn) == key) return keycode;
  throw std::invalid_argument("no place for key " + std::to_string(key));
}

std::vector<JudgedKey> judged_keys(Display* display) {
  const JisKeyboard places(read_server_keyboard(display).names);
  std::vector<KeyCode> codes{33,  34,  35,  36,  37,  38,  39,  40,  45,  46,  186,
                             187, 188, 189, 190, 191, 192, 219, 220, 221, 222, 226};
  for (char code = '0'; code <= 'Z'; ++code) code = code == ':' ? 'A' : code, codes.push_back(code);
  for (KeyCode code = 112; code <= 123; ++code) codes.push_back(code);  // F1 to F12
  std::vector<JudgedKey> keys;
  for (KeyCode code : codes) {
    const int keycode = keycode_at(places, code);
    const KeySym symbol = XkbKeycodeToKeysym(display, ::KeyCode(keycode), 0, 0);
    keys.push_back({code == 220                     ? "\u00a5"  // X's backslash
                    : symbol > ' ' && symbol < 0x7f ? std::string(1, char(toupper(int(symbol))))
                    : symbol == XK_Prior            ? "Page Up"
                    : symbol == XK_Next             ? "Page Down"
                                                    : XKeysymToString(symbol),
                    keycode, code});
  }
  return keys;
}

/// The page that shows which keys reach it, in a tab (Chromium's app
/// window keeps no keys), opened afresh whenever the browser took it away.
struct KeyEcho {
  /// Presses `chords`, then Space: the masks of those that reached the page
  /// ("1 6"), or nothing if the browser closed its window, showed another
  /// page in it or opened one over it, so that even Space did not.
  std::optional<std::string> reached(const std::vector<Chord>& chords) {
    if (!page) {
      page = browser.open("file://" TITLETYPE_KEY_ECHO_PAGE, false);
      int tries =
          x.find_window(*page, 60s) && x.wait_title([](auto& t) { return t[0] == '0'; }) ? 0 : 3;
      while (tries < 3 && (x.click_to_play(), !press({})))
        ++tries;  // a fresh page may miss a Space
      if (tries == 3) page.reset();
    }
    if (!page || !press(chords)) return page.reset(), std::nullopt;
    const std::string title = x.title();
    const std::size_t from = title.find('|') + 1;
    return title.substr(from, title.find('|', from) - from);
  }
  /// Presses `chords`, then Space: whether the page counted one Space more.
  bool press(const std::vector<Chord>& chords) {
    const std::string done = std::to_string(std::stoi(x.title()) + 1) + "|";
    for (const Chord& chord : chords) x.play(chord);
    x.tap(kSpaceKeycode);
    // Looked at every 250 ms: a window that has gone sends no new title.
    for (int looks = 0; looks < 20; ++looks)
      if (x.wait_title([&](auto& t) { return t.starts_with(done) || !isdigit(t[0]); }, 250ms))
        return x.title().starts_with(done);
    return false;
  }
  XSession& x;
  Browser& browser;
  std::unique_ptr<Process> page;
};

/// The kept chords ("Ctrl+W"), in the order of the keys and modifiers. The
/// X server keeps Ctrl+Alt with F1 to F12 (its consoles') from every
/// window: those are not the browser's.
std::vector<std::string> measure_kept(XSession& x, Browser& browser) {
  std::vector<std::string> kept;
  KeyEcho echo{x, browser, nullptr};
  for (const auto& [legend, keycode, code] : judged_keys(x.display())) {
    std::vector<Chord> chords;
    for (auto [modifier, mask, chord] : kModifiers)
      if (mask != 6 || code < 112) chords.push_back(chord), chords.back().push_back(keycode);
    // All together, then twice alone a chord that did not reach the page:
    // one that the browser took, or a fresh page's first, may take the next.
    const auto all = echo.reached(chords);
    bool types = false;  // some modified key types the same character
    for (std::size_t i = 0; i < chords.size(); ++i) {
      const auto& [modifier, mask, held] = kModifiers[i];
      const std::string bit = " " + std::to_string(mask) + " ";
      auto masks = all;
      const auto reaches = [&] {
        return masks && (" " + *masks + " ").find(bit) != std::string::npos;
      };
      for (int tries = 0; tries < 2 && !reaches(); ++tries)
        if (!(masks = echo.reached({chords[i]})) && !echo.reached({}))
          throw std::runtime_error("the key echo page cannot be opened again");
      if (!reaches()) kept.push_back(modifier + legend);
      types |= reaches();
    }
    // Every modifier turns a key into the same character: one is enough.
    const bool character = (code - 16 >= '!' && code - 16 <= 'Z') || (code >= 186 && code <= 191);
    if (character && !types) std::cerr << "no modified " << legend << " reaches the page\n";
  }
  return kept;
}

/// Puts `kept` in the second column of the README's row for `browser`.
void write_row(const std::string& readme, const std::string& browser,
               const std::vector<std::string>& kept) {
  const std::string row = browser == "chromium"  ? "| Chromium"
                          : browser == "firefox" ? "| Firefox"
                                                 : "| GNOME Web";
  std::ifstream in(readme);
  std::ostringstream out;
  bool found = false;
  for (std::string line; std::getline(in, line); out << line << "\n") {
    if (!line.starts_with(row)) continue;
    const std::size_t from = line.find('|', 1) + 1, to = line.find('|', from);
    std::string cell = " ";
    for (const std::string& key : kept) cell.append(cell.size() > 1 ? ", " : "").append(key);
    line = line.substr(0, from).append(cell).append(" ").append(line.substr(to));
    found = true;
  }
  if (!found) throw std::runtime_error("the README has no row for " + browser);
  std::ofstream(readme) << out.str();
}

}  // namespace
}  // namespace titletype::e2e

int main(int argc, char** argv) {
  using namespace titletype::e2e;
  if (argc != 3) {
    std::cerr << "usage: kept_keys chromium|firefox|epiphany README\n";
    return 2;
  }
  try {
    XSession x;
    Browser browser(x, argv[1]);
    const auto kept = measure_kept(x, browser);
    write_row(argv[2], argv[1], kept);
    for (const std::string& key : kept) std::cout << key << "\n";
  } catch (const std::exception& error) {
    std::cerr << "kept_keys: " << error.what() << "\n";
    return 1;
  }
}
