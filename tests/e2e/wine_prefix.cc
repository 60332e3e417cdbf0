// SPDX-License-Identifier: MIT
#include "tests/e2e/wine_prefix.h"

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>

#include "tests/e2e/process.h"

namespace titletype::e2e {

using namespace std::chrono_literals;

WinePrefix::WinePrefix(const std::string& display) {
  std::string pattern = (std::filesystem::temp_directory_path() / "titletype-wine.XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a folder for Wine");
  path_ = pattern;
  auto env = environment();
  env.emplace_back("DISPLAY", display);
  Process boot({"wineboot", "-i"}, env);
  if (boot.wait(120s) != 0) throw std::runtime_error("wineboot failed: " + boot.stderr_text());
}

WinePrefix::~WinePrefix() {
  Process({"wineserver", "-k"}, environment()).wait(30s);
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::vector<std::pair<std::string, std::string>> WinePrefix::environment() const {
  return {{"WINEPREFIX", path_},
          {"WINEARCH", "win64"},
          {"WINEDEBUG", "-all"},
          {"WINEDLLOVERRIDES", "mscoree,mshtml,winemenubuilder.exe="}};
}

}  // namespace titletype::e2e
