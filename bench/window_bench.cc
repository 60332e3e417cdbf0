// SPDX-License-Identifier: MIT
// The game's window against the floor, the smallest Xlib client that does
// what the game does at the window system.
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

int run_window_bench(const std::string& out_dir, bool quick) {
  const int rounds = quick ? 2 : 5;
  // A start takes a few milliseconds, with a spread as large as the gap
  // between the two programs: many of them, for medians that hold still,
  // and memory in the first of them.
  const int startup_rounds = quick ? 20 : 200;
  const int memory_rounds = quick ? 7 : 25;
  const int keys = quick ? 50 : 500;
  const int game_tick_count = quick ? 12 : 160;
  const int floor_tick_count = quick ? 5 : 60;
  const Program game{"game", kGame, true};
  const Program floor{"floor", kFloor, false};

  XSession x;
  std::cerr << "start-up and memory...\n";
  const auto [game_start, floor_start] =
      measure_startups(x, game, floor, startup_rounds, memory_rounds);
  std::cerr << "key to title...\n";
  std::vector<double> game_latency, floor_latency;
  for (int i = 0; i < rounds; ++i) {
    const auto g = measure_latency(x, game, keys / rounds);
    const auto f = measure_latency(x, floor, keys / rounds);
    game_latency.insert(game_latency.end(), g.begin(), g.end());
    floor_latency.insert(floor_latency.end(), f.begin(), f.end());
  }
  // What waking from idle costs: the floor's keys after a second of quiet.
  const auto floor_idle_latency = measure_latency(x, floor, quick ? 3 : 10, 1s);
  std::cerr << "timers...\n";
  const TickErrors game_ticks = measure_ticks(x, game, game_tick_count);
  const TickErrors floor_ticks = measure_ticks(x, floor, floor_tick_count);
  const auto& game_ticks_error = game_ticks.ms;
  const auto& floor_ticks_error = floor_ticks.ms;
  std::cerr << "idle cost...\n";
  const auto game_idle = measure_idle(x, game, quick);
  const auto floor_idle = measure_idle(x, floor, quick);
  std::cerr << "terminal...\n";
  const TerminalFigures terminal = measure_terminal(rounds, quick);

  std::ostringstream md;
  utsname machine{};
  uname(&machine);
  md << "# Performance\n\n"
     << "The game measured side by side with the floor: the smallest Xlib client that does\n"
     << "what the game does at the window system (`bench/floor.cc`: a window of the game's\n"
     << "size, 312 x 72, with a 32 x 32 icon, which reads the keyboard's key names and whose\n"
     << "title changes on each key press and on a 1000 ms timer; built with the game's\n"
     << "hardening and size optimisation). Both run on the same private Xvfb in the same\n"
     << "run, interleaved: " << startup_rounds << " start-ups each (memory in the first "
     << memory_rounds << "), then " << rounds << " rounds of keys.\n\n"
     << "Regenerate with `bench/run.sh` (about " << (quick ? "1" : "6")
     << " minutes; `bench/run.sh --quick` for a rough pass).\n\n"
     << "Machine: " << machine.sysname << " " << machine.release << " " << machine.machine << ", "
     << sysconf(_SC_NPROCESSORS_ONLN) << " cores; "
     << command_output("grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'")
     << ".  \nVersions: Xvfb " << command_output("dpkg-query -W -f='${Version}' xvfb")
     << "; libX11 " << command_output("dpkg-query -W -f='${Version}' libx11-6") << "; compiler "
     << __VERSION__ << ".\n\n";
  md << "## Desktop window, against the floor\n\n| measure | game | floor | ratio "
        "|\n|---|---|---|---|\n";
  md << row("start-up: exec to titled window mapped, median (ms)", median(game_start.ms),
            median(floor_start.ms));
  md << row("start-up, slowest round (ms)", percentile(game_start.ms, 1),
            percentile(floor_start.ms, 1));
  md << row("peak resident memory, median (kB)", median(game_start.peak_rss_kb),
            median(floor_start.peak_rss_kb), 0);
  md << row("key to title p50 (ms)", median(game_latency), median(floor_latency), 3);
  md << row("key to title p99 (ms)", percentile(game_latency, 0.99),
            percentile(floor_latency, 0.99), 3);
  md << row("key to title max (ms)", percentile(game_latency, 1), percentile(floor_latency, 1), 3);
  md << row("tick error p50, absolute (ms)", median(absolute(game_ticks_error)),
            median(absolute(floor_ticks_error)), 3);
  md << row("tick error p99, absolute (ms)", percentile(absolute(game_ticks_error), 0.99),
            percentile(absolute(floor_ticks_error), 0.99), 3);
  md << row("tick error max, absolute (ms)", percentile(absolute(game_ticks_error), 1),
            percentile(absolute(floor_ticks_error), 1), 3);
  md << row("drift: error at the last tick minus the first (ms)",
            game_ticks_error.back() - game_ticks_error.front(),
            floor_ticks_error.back() - floor_ticks_error.front(), 3);
  md << "\nThe floor's key to title after a second of quiet, when the floor, the X server\n"
     << "and the driver all wake from idle: median " << fixed(median(floor_idle_latency), 3)
     << " ms over " << floor_idle_latency.size() << " keys.\n";
  md << "\nKey samples: " << game_latency.size() << " for the game (10 windows in turn, each\n"
     << "key typing the window's first character), " << floor_latency.size()
     << " for the floor. Ticks: " << game_ticks_error.size() << " of one game kept alive (its\n"
     << "interval runs from 1000 ms down to 300 ms), " << floor_ticks_error.size()
     << " of the floor, each against the ideal schedule counted from the first tick,\n"
     << "which both programs reach the same way: waking from sleep, through the X server to\n"
     << "the driver, each process waking from idle. The game's first tick came "
     << fixed(game_ticks.first_tick_ms, 3) << " ms after the\n"
     << "ideal 1000 ms from the Space that started it, while the processes were awake.\n\n"
     << "![Tick errors](tick-errors.svg)\n\n";
  md << "## Idle cost\n\nCPU time and wake-ups (voluntary context switches) per minute.\n\n"
     << "| program | phase | CPU ms/min | wake-ups/min | measured over (s) "
        "|\n|---|---|---|---|---|\n";
  for (const auto& [name, costs] : {std::pair{"game", game_idle}, std::pair{"floor", floor_idle}}) {
    for (const PhaseCost& c : costs) {
      md << "| " << name << " | " << c.phase << " | " << fixed(c.cpu_ms_per_min) << " | "
         << fixed(c.wakeups_per_min, 1) << " | " << fixed(c.seconds, 1) << " |\n";
    }
  }
  md << "\nWaiting has no timer running, so the game sleeps until a key comes; the floor's\n"
     << "timer runs always (60 wake-ups a minute). Playing wakes once per tick (60 to 200\n"
     << "a minute as the interval shortens), Over once per 1.5 s result tick (40 a minute).\n\n";
  md << "## Terminal backend\n\n| measure | value |\n|---|---|\n"
     << "| start-up: exec to the title on a pseudo-terminal, median (ms) | "
     << fixed(median(terminal.startup_ms)) << " |\n"
     << "| peak resident memory on a pty (kB) | " << fixed(terminal.peak_rss_kb, 0) << " |\n"
     << "| Waiting on a pty: CPU ms/min | " << fixed(terminal.waiting.cpu_ms_per_min) << " |\n"
     << "| Waiting on a pty: wake-ups/min | " << fixed(terminal.waiting.wakeups_per_min, 1)
     << " |\n";
  std::ofstream(out_dir + "/performance.md") << md.str();
  write_svg(out_dir + "/tick-errors.svg", game_ticks_error, floor_ticks_error);
  std::cout << md.str();
  return 0;
}

}  // namespace titletype::bench
