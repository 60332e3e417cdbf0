// SPDX-License-Identifier: MIT
// Measures the game against its floors, side by side, and writes the
// docs/performance*.md reports.
//
// Usage: bench_driver OUTPUT_DIR [--quick] [--wine WINDOWS_EXE | --terminals | --wayland |
//                                           --speech]
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "bench/bench.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const bool quick = std::find(args.begin(), args.end(), "--quick") != args.end();
  const auto wine = std::find(args.begin(), args.end(), "--wine");
  if (args.empty() || args[0].starts_with("--") || (wine != args.end() && wine + 1 == args.end())) {
    std::cerr << "usage: bench_driver OUTPUT_DIR [--quick] [--wine WINDOWS_EXE | --terminals | "
                 "--wayland | --speech]\n";
    return 2;
  }
  try {
    std::filesystem::create_directories(args[0]);  // the reports go nowhere else
    if (wine != args.end()) return titletype::bench::run_wine_bench(args[0], *(wine + 1), quick);
    if (std::find(args.begin(), args.end(), "--speech") != args.end()) {
      return titletype::bench::run_speech_bench(args[0], quick);
    }
    if (std::find(args.begin(), args.end(), "--terminals") != args.end()) {
      return titletype::bench::run_terminal_bench(args[0], quick);
    }
#if TITLETYPE_WAYLAND
    if (std::find(args.begin(), args.end(), "--wayland") != args.end()) {
      return titletype::bench::run_wayland_bench(args[0], quick);
    }
#endif
    return titletype::bench::run_window_bench(args[0], quick);
  } catch (const std::exception& error) {
    std::cerr << "bench_driver: " << error.what() << "\n";
    return 1;
  }
}
