// SPDX-License-Identifier: MIT
// The browser page end to end: the page as built, in a window of its own of
// TITLETYPE_BROWSER (chromium or firefox) on the tests' X server, so that
// its keys come from the Japanese layout through the browser's own keyboard
// handling and its title is the window's.
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "tests/e2e/window_game.h"

namespace titletype::e2e {

const std::string kBrowser = TITLETYPE_BROWSER;
const std::string kSite = TITLETYPE_WEB_SITE;
const std::string kScriptedSite = TITLETYPE_WEB_SCRIPTED_SITE;

// Each game gets a fresh profile, removed with the suite's folder.
std::filesystem::path profiles;

const bool WindowGameTest::kExactIcon = false;

void WindowGameTest::SetUpTestSuite() {
  x_ = std::make_unique<XSession>();
  std::string pattern = (std::filesystem::temp_directory_path() / "titletype-web.XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a folder for the browser");
  profiles = pattern;
  x_->play_in_browser(kBrowser == "firefox" ? "Mozilla Firefox" : "");
}

void WindowGameTest::TearDownTestSuite() {
  x_.reset();
  std::error_code ignored;
  std::filesystem::remove_all(profiles, ignored);
}

/// Opens `url` in a window of its own (Chromium's app window has no tabs).
std::unique_ptr<Process> browse(XSession& x, const std::string& url) {
  static int games = 0;
  const std::string profile = (profiles / std::to_string(++games)).string();
  if (kBrowser == "firefox") {
    // A fresh profile would open a tab of its own, which takes the keyboard.
    std::filesystem::create_directories(profile);
    std::ofstream(profile + "/user.js")
        << "user_pref(\"datareporting.policy.firstRunURL\", \"\");\n"
           "user_pref(\"browser.aboutwelcome.enabled\", false);\n";
    return x.start_game("firefox-esr", {"--no-remote", "--profile", profile, url});
  }
  // Chromium refuses to run as root without --no-sandbox, as CI does.
  return x.start_game("chromium",
                      {"--no-sandbox", "--no-first-run", "--disable-gpu", "--disable-sync",
                       "--disable-background-networking", "--disable-component-update",
                       "--user-data-dir=" + profile, "--app=" + url});
}

std::unique_ptr<Process> WindowGameTest::start(std::vector<std::string>) {
  return browse(x(), "file://" + kSite + "/index.html");
}

std::unique_ptr<Process> WindowGameTest::start_scripted(std::string_view chars, KeyModel keys) {
  std::string answers;
  for (const std::string& answer : answers_for(chars))
    answers += (answers.empty() ? "" : ",") + answer;
  return browse(x(), "file://" + kScriptedSite + "/index.html?answers=" + answers +
                         (keys == kTyped ? "&keys=typed" : ""));
}

std::vector<LayoutPlay> layout_plays() {
  return {{"jp", kPosition}, {"us", kPosition}, {"us", kTyped}, {"de", kTyped}};
}

}  // namespace titletype::e2e
