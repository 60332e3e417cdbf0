// SPDX-License-Identifier: MIT
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
#include "tests/harness/wine_prefix.h"

namespace titletype::bench {

/// The Windows build under Wine, side by side with the Linux window on the
/// same Xvfb: what Wine adds, and whether the Windows loop keeps time.
int run_wine_bench(const std::string& out_dir, const std::string& exe, bool quick) {
  const int rounds = quick ? 2 : 5;
  const int keys = quick ? 20 : 100;  // one window: about a key per tick
  const int ticks = quick ? 12 : 60;
  XSession x;
  std::cerr << "setting up a Wine prefix...\n";
  const e2e::WinePrefix wine(x.display_name());
  const Program linux_game{"Linux", kGame, true};
  const Program windows_game{"Windows", "wine", true, {exe}, wine.environment()};

  std::cerr << "start-up...\n";
  const auto [windows_start, linux_start] = measure_startups(x, windows_game, linux_game, rounds);
  std::cerr << "key to title...\n";
  // One window each: Wine takes the focus from the X server only as its
  // window manager would hand it over.
  const auto windows_latency = measure_latency(x, windows_game, keys, 0ms, 1);
  const auto linux_latency = measure_latency(x, linux_game, keys, 0ms, 1);
  std::cerr << "timers...\n";
  const TickErrors windows_ticks = measure_ticks(x, windows_game, ticks);
  const TickErrors linux_ticks = measure_ticks(x, linux_game, ticks);
  const auto& w = windows_ticks.ms;
  const auto& l = linux_ticks.ms;

  std::ostringstream md;
  md << "# Performance of the Windows build under Wine\n\n"
     << "The Windows program (`cmake --preset windows`) run by "
     << command_output("WINEDEBUG=-all wine --version") << ", side by side with the Linux window\n"
     << "on the same private Xvfb in the same run. Regenerate with `bench/run.sh --wine`.\n"
     << "Both reach the X server the same way, so the ratio is what Wine and the Windows\n"
     << "message loop add; on Windows itself there is no X server in between.\n\n"
     << "| measure | Windows under Wine | Linux | ratio |\n|---|---|---|---|\n";
  md << row("start-up: exec to titled window mapped, median (ms)", median(windows_start.ms),
            median(linux_start.ms));
  md << row("peak resident memory of the game's process, median (kB)",
            median(windows_start.peak_rss_kb), median(linux_start.peak_rss_kb), 0);
  md << row("key to title p50 (ms)", median(windows_latency), median(linux_latency), 3);
  md << row("key to title p99 (ms)", percentile(windows_latency, 0.99),
            percentile(linux_latency, 0.99), 3);
  md << row("tick error p50, absolute (ms)", median(absolute(w)), median(absolute(l)), 3);
  md << row("tick error p99, absolute (ms)", percentile(absolute(w), 0.99),
            percentile(absolute(l), 0.99), 3);
  md << row("tick error max, absolute (ms)", percentile(absolute(w), 1), percentile(absolute(l), 1),
            3);
  md << "| drift: error at the last tick minus the first (ms) | " + fixed(w.back() - w.front(), 3) +
            " | " + fixed(l.back() - l.front(), 3) + " | - |\n";
  md << "\nTicks: " << w.size() << " of one game each, kept alive by typing (the interval\n"
     << "runs from 1000 ms down), against the ideal schedule counted from the first tick.\n"
     << "First tick after the Space: " << fixed(windows_ticks.first_tick_ms, 3)
     << " ms late under Wine, " << fixed(linux_ticks.first_tick_ms, 3) << " ms on Linux.\n"
     << "Keys: " << windows_latency.size() << " each, in one window.\n";
  std::ofstream(out_dir + "/performance-windows.md") << md.str();
  std::cout << md.str();
  return 0;
}

}  // namespace titletype::bench
