// SPDX-License-Identifier: MIT
// The report's pieces: numbers, table rows, the tick errors' picture.
#include <pty.h>
#include <signal.h>
#include <sys/utsname.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <thread>

#include "bench/bench.h"
#include "bench/measure.h"
#include "bench/window_watch.h"

namespace titletype::bench {

// --- the report ---------------------------------------------------------------

std::string fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

std::string row(const std::string& what, double game, double floor, int decimals) {
  const std::string ratio = floor > 0 ? fixed(game / floor, 2) : "-";
  return "| " + what + " | " + fixed(game, decimals) + " | " + fixed(floor, decimals) + " | " +
         ratio + " |\n";
}

std::string command_output(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen((command + " 2>&1").c_str(), "r")) {
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe)) out += buffer;
    pclose(pipe);
  }
  while (!out.empty() && out.back() == '\n') out.pop_back();
  return out;
}

void write_svg(const std::string& path, const std::vector<double>& game,
               const std::vector<double>& floor) {
  constexpr double kWidth = 640, kHeight = 280, kLeft = 50, kTop = 20;
  double range = 1;
  for (double e : game) range = std::max(range, std::abs(e));
  for (double e : floor) range = std::max(range, std::abs(e));
  const std::size_t count = std::max(game.size(), floor.size());
  const auto x_of = [&](std::size_t i) {
    return kLeft + (kWidth - kLeft - 10) * static_cast<double>(i) / static_cast<double>(count);
  };
  const auto y_of = [&](double e) { return kTop + (kHeight - 2 * kTop) * (0.5 - e / (2 * range)); };
  std::ofstream svg(path);
  svg << "<svg xmlns='http://www.w3.org/2000/svg' width='" << kWidth << "' height='" << kHeight
      << "' font-family='sans-serif' font-size='11'>\n<rect width='100%' height='100%' "
         "fill='white'/>\n";
  svg << "<line x1='" << kLeft << "' x2='" << kWidth - 10 << "' y1='" << y_of(0) << "' y2='"
      << y_of(0) << "' stroke='#999'/>\n";
  svg << "<text x='4' y='" << y_of(range) + 4 << "'>+" << fixed(range, 2) << " ms</text>\n";
  svg << "<text x='4' y='" << y_of(-range) + 4 << "'>-" << fixed(range, 2) << " ms</text>\n";
  svg << "<text x='4' y='" << y_of(0) + 4 << "'>0</text>\n";
  const auto series = [&](const std::vector<double>& errors, const char* colour) {
    for (std::size_t i = 0; i < errors.size(); ++i) {
      svg << "<circle cx='" << x_of(i) << "' cy='" << y_of(errors[i]) << "' r='2' fill='" << colour
          << "'/>\n";
    }
  };
  series(floor, "#d08000");
  series(game, "#0050c0");
  svg << "<text x='" << kLeft << "' y='" << kHeight - 4
      << "' fill='#0050c0'>game: tick error against the ideal schedule, by tick</text>\n";
  svg << "<text x='" << kLeft + 330 << "' y='" << kHeight - 4
      << "' fill='#d08000'>floor (1000 ms, waits rounded to ms)</text>\n</svg>\n";
}

}  // namespace titletype::bench
