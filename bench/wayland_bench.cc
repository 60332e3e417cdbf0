// SPDX-License-Identifier: MIT
// The Wayland window against its floor (bench/wayland_floor.cc), side by
// side in one sway that runs as a window of the benchmark's X server: what
// both are seen doing is what sway's window events say, so the figures
// include sway's own way from a key to an event for both alike.
#include <sys/stat.h>
#include <sys/utsname.h>

#include <fstream>
#include <iostream>
#include <sstream>
#include <thread>

#include "bench/bench.h"
#include "bench/measure.h"
#include "tests/harness/sway_session.h"

namespace titletype::bench {

namespace {

const std::string kWaylandFloor = WAYLAND_FLOOR_BINARY;

struct WaylandFigures {
  std::vector<double> startup_ms, peak_rss_kb, latency_ms;
  PhaseCost waiting{};
};

long file_size(const std::string& path) {
  struct stat about {};
  return stat(path.c_str(), &about) == 0 ? static_cast<long>(about.st_size) : 0;
}

/// Waits, finely, until `done` holds; when it came to, if it did.
std::optional<SteadyTime> when(const std::function<bool()>& done,
                               std::chrono::milliseconds timeout) {
  for (const auto end = std::chrono::steady_clock::now() + timeout;
       std::chrono::steady_clock::now() < end;) {
    if (done()) return std::chrono::steady_clock::now();
    std::this_thread::sleep_for(100us);
  }
  return std::nullopt;
}

/// One round of `binary`: its start-up to its window's "new" event, its
/// peak memory, `keys` keys each timed to the title event it causes, and
/// (on the last round) its cost while it waits.
void measure_round(XSession& x, e2e::SwaySession& sway, const std::string& binary, bool is_game,
                   int keys, bool idle, WaylandFigures& figures) {
  auto process = sway.start_game(binary, {});
  const std::string pid = "\"pid\": " + std::to_string(process->pid()) + ",";
  const std::string& events = sway.events_path();
  const auto mapped = when(
      [&] {
        const std::string text = e2e::read_file(events);
        return text.find(pid) != text.npos;
      },
      20s);
  if (!mapped || !x.find_window(*process)) throw std::runtime_error("no window in sway");
  figures.startup_ms.push_back(ms_between(sway.started_at(), *mapped));
  std::this_thread::sleep_for(300ms);
  figures.peak_rss_kb.push_back(static_cast<double>(process_cost(process->pid()).peak_rss_kb));
  if (idle) figures.waiting = cost_over(process->pid(), "Waiting", 10s);
  if (is_game) {
    x.tap(e2e::kSpaceKeycode);
    x.wait_title([](const std::string& t) { return t != "Hit Space Key!!!"; });
  }
  for (int sample = 0; sample < keys;) {
    const std::string before = x.title();
    if (is_game && (before.empty() || before.size() > 10)) {
      if (before.size() > 10) break;  // over: the next round starts a new game
      std::this_thread::sleep_for(20ms);
      continue;
    }
    e2e::Chord chord =
        is_game ? *e2e::chord_in_layout(x.display(), before[0]) : e2e::Chord{e2e::kAKeycode};
    for (std::size_t i = 0; i + 1 < chord.size(); ++i) x.key_down(chord[i]);
    std::this_thread::sleep_for(5ms);
    const long size = file_size(events);
    const SteadyTime start = std::chrono::steady_clock::now();
    x.key_down(chord.back());
    const auto changed = when([&] { return file_size(events) > size; }, 2s);
    for (auto key = chord.rbegin(); key != chord.rend(); ++key) x.key_up(*key);
    const std::string after = x.title();
    // A tick of the window's own timer can land in between: not a sample.
    if (changed && (is_game ? after == before.substr(1) : after.starts_with("key "))) {
      figures.latency_ms.push_back(ms_between(start, *changed));
      ++sample;
    }
    std::this_thread::sleep_for(10ms);
  }
  x.tap(e2e::kEscKeycode);
  process->wait(5s);
}

}  // namespace

int run_wayland_bench(const std::string& out_dir, bool quick) {
  // Many rounds of a few keys: each round's start-up is one sample, with a
  // spread as large as the gap between the two programs.
  const int rounds = quick ? 3 : 15, keys = quick ? 10 : 14;
  XSession x;
  e2e::SwaySession sway(x);
  WaylandFigures game, floor;
  for (int i = 0; i < rounds; ++i) {
    std::cerr << "round " << i + 1 << " of " << rounds << "...\n";
    measure_round(x, sway, kGame, true, keys, i == rounds - 1, game);
    measure_round(x, sway, kWaylandFloor, false, keys, i == rounds - 1, floor);
  }

  std::ostringstream md;
  utsname machine{};
  uname(&machine);
  md << "# Performance of the Wayland window\n\n"
     << "The game's Wayland window measured side by side with the floor: the smallest\n"
     << "Wayland client that does what the game does at the compositor\n"
     << "(`bench/wayland_floor.cc`: a framed toplevel of the game's size, 312 x 72, whose title\n"
     << "changes on each "
     << "key press and on a 1000 ms timer; it reads no keymap and repeats no key). Both\n"
     << "run in one sway " << command_output("dpkg-query -W -f='${Version}' sway")
     << " (a window of a private Xvfb, its keys from XTest), " << rounds
     << " rounds interleaved, and\n"
     << "what they do is timed by sway's window events, which both reach alike.\n\n"
     << "Regenerate with `bench/run.sh --wayland` (about " << (quick ? "1" : "5")
     << " minutes).\n\n"
     << "Machine: " << machine.sysname << " " << machine.release << " " << machine.machine << ", "
     << sysconf(_SC_NPROCESSORS_ONLN) << " cores.\n\n"
     << "| measure | game | floor | ratio |\n|---|---|---|---|\n"
     << row("start-up: exec to window shown, median (ms)", median(game.startup_ms),
            median(floor.startup_ms))
     << row("peak resident memory, median (kB)", median(game.peak_rss_kb),
            median(floor.peak_rss_kb), 0)
     << row("key to title p50 (ms)", median(game.latency_ms), median(floor.latency_ms), 3)
     << row("key to title p99 (ms)", percentile(game.latency_ms, 0.99),
            percentile(floor.latency_ms, 0.99), 3)
     << "\nWaiting for Space, the game wakes " << fixed(game.waiting.wakeups_per_min, 1)
     << " times a minute and uses " << fixed(game.waiting.cpu_ms_per_min, 2)
     << " ms of CPU a minute; the floor, whose timer ticks each second, "
     << fixed(floor.waiting.wakeups_per_min, 1) << " and " << fixed(floor.waiting.cpu_ms_per_min, 2)
     << ".\n";
  std::ofstream(out_dir + "/performance-wayland.md") << md.str();
  std::cout << md.str();
  return 0;
}

}  // namespace titletype::bench
