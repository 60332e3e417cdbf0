// SPDX-License-Identifier: MIT
// A fresh Wine prefix in a temporary folder, for running the Windows build
// end to end; removed, with everything Wine started in it, at the end.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace titletype::e2e {

class WinePrefix {
 public:
  /// Creates and sets up the prefix (some seconds) with its desktop on
  /// `display`, where the programs will run: a program that has to wait for
  /// the first start of the desktop may fail to create its window.
  explicit WinePrefix(const std::string& display);
  ~WinePrefix();
  WinePrefix(const WinePrefix&) = delete;
  WinePrefix& operator=(const WinePrefix&) = delete;

  /// The environment that runs Wine in this prefix, quietly.
  std::vector<std::pair<std::string, std::string>> environment() const;

 private:
  std::string path_;
};

}  // namespace titletype::e2e
