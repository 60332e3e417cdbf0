// SPDX-License-Identifier: MIT
// A browser (chromium, firefox or epiphany, GNOME Web) that opens pages in
// windows of their own on a private X server, each with a fresh profile in
// a folder that goes with it; GNOME Web on a session bus of its own, since
// it will not start without one.
#pragma once

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "tests/harness/x_session.h"

namespace titletype::e2e {

class Browser {
 public:
  Browser(XSession& x, std::string name) : x_(x), name_(std::move(name)), folder_("web") {
    if (name_ == "epiphany") {
      const auto bus = folder_.path() / "bus";
      session_bus_ = std::make_unique<Process>(std::vector<std::string>{
          "dbus-daemon", "--session", "--nofork", "--address=unix:path=" + bus.string()});
      if (!eventually([&] { return std::filesystem::exists(bus); }))
        throw std::runtime_error("no session bus: " + session_bus_->stderr_text());
    }
    x_.play_in_browser(name_ == "firefox" ? "Mozilla Firefox" : "");
  }
  Browser(const Browser&) = delete;
  Browser& operator=(const Browser&) = delete;

  const std::string& name() const { return name_; }

  /// Opens `url` in a window of its own: Chromium's an app window, which
  /// has no tabs, unless `app` is false.
  std::unique_ptr<Process> open(const std::string& url, bool app = true) {
    const std::string profile = (folder_.path() / std::to_string(++opened_)).string();
    if (name_ == "firefox") {
      // A fresh profile would open a tab of its own, which takes the keyboard.
      std::filesystem::create_directories(profile);
      std::ofstream(profile + "/user.js")
          << "user_pref(\"datareporting.policy.firstRunURL\", \"\");\n"
             "user_pref(\"browser.aboutwelcome.enabled\", false);\n";
      return x_.start_game("firefox-esr", {"--no-remote", "--profile", profile, url});
    }
    if (name_ == "epiphany") {
      // Its web process's sandbox cannot start in a container (nor as root).
      return x_.start_game(
          "epiphany-browser", {"--private-instance", "--profile=" + profile, url},
          {{"DBUS_SESSION_BUS_ADDRESS", "unix:path=" + (folder_.path() / "bus").string()},
           {"GDK_BACKEND", "x11"},
           {"WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS", "1"}});
    }
    // Chromium refuses to run as root without --no-sandbox, as CI does.
    return x_.start_game("chromium",
                         {"--no-sandbox", "--no-first-run", "--disable-gpu", "--disable-sync",
                          "--disable-background-networking", "--disable-component-update",
                          "--user-data-dir=" + profile, app ? "--app=" + url : url});
  }

 private:
  XSession& x_;
  std::string name_;
  TempFolder folder_;
  std::unique_ptr<Process> session_bus_;
  int opened_ = 0;
};

}  // namespace titletype::e2e
