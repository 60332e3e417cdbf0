// SPDX-License-Identifier: MIT
// A fresh Wine prefix in a temporary folder, for running the Windows build
// end to end; removed, with everything Wine started in it, at the end.
#pragma once

#include <filesystem>
#include <stdexcept>

#include "tests/harness/process.h"

namespace titletype::e2e {

class WinePrefix {
 public:
  /// Creates and sets up the prefix (some seconds) with its desktop on
  /// `display`: a program that waits for the desktop's first start may fail.
  explicit WinePrefix(const std::string& display) : folder_("wine") {
    auto env = environment();
    env.emplace_back("DISPLAY", display);
    Process boot({"wineboot", "-i"}, env);
    if (boot.wait(120s) != 0) throw std::runtime_error("wineboot failed: " + boot.stderr_text());
  }
  ~WinePrefix() {
    // -k stops waiting and kills a server slow to end: so wait (-w), then
    // remove the prefix and the server's folder Debian's Wine names in it.
    Process({"wineserver", "-k"}, environment()).wait(30s);
    Process({"wineserver", "-w"}, environment()).wait(30s);
    const std::string server_folder = read_file(folder_.path() / "wineserver");
    std::error_code ignored;
    if (!server_folder.empty() && server_folder.find('/') == std::string::npos)
      std::filesystem::remove_all(std::filesystem::temp_directory_path() / server_folder, ignored);
  }
  WinePrefix(const WinePrefix&) = delete;
  WinePrefix& operator=(const WinePrefix&) = delete;

  /// The environment that runs Wine in this prefix, quietly.
  Environment environment() const {
    return {{"WINEPREFIX", folder_.path()},
            {"WINEARCH", "win64"},
            {"WINEDEBUG", "-all"},
            {"WINEDLLOVERRIDES", "mscoree,mshtml,winemenubuilder.exe="}};
  }

 private:
  TempFolder folder_;
};

}  // namespace titletype::e2e
