// SPDX-License-Identifier: MIT
// Measures the game against the floor (the smallest Xlib client that does
// what the game does at the window system), side by side on one private
// Xvfb, and writes docs/performance.md and docs/tick-errors.svg.
//
// Usage: bench_driver OUTPUT_DIR [--quick] [--wine WINDOWS_EXE | --terminals]
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

#include "bench/measure.h"
#include "bench/window_watch.h"
#include "tests/e2e/wine_prefix.h"
#include "tests/e2e/x_session.h"

namespace titletype::bench {
namespace {

using namespace std::chrono_literals;
using e2e::Process;
using e2e::XSession;
using SteadyTime = std::chrono::steady_clock::time_point;

const std::string kGame = TITLETYPE_BINARY;
const std::string kFloor = FLOOR_BINARY;
const std::string kHideKeyProtocol = HIDE_KEY_PROTOCOL_BINARY;

double ms_between(SteadyTime from, SteadyTime to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

struct Program {
  const char* name;
  std::string binary;
  bool is_game;
  std::vector<std::string> args = {};
  std::vector<std::pair<std::string, std::string>> env = {};
};

std::unique_ptr<Process> launch(XSession& x, const Program& program) {
  return x.start_game(program.binary, program.args, program.env);
}

// --- start-up and memory ---------------------------------------------------

struct Startup {
  std::vector<double> ms;
  std::vector<double> peak_rss_kb;
};

Startup measure_startup(XSession& x, const Program& program, int rounds) {
  Startup result;
  for (int i = 0; i < rounds; ++i) {
    const SteadyTime start = std::chrono::steady_clock::now();
    auto process = launch(x, program);
    if (!x.find_window(*process)) throw std::runtime_error("no window");
    result.ms.push_back(ms_between(start, x.mapped_at()));
    std::this_thread::sleep_for(200ms);
    result.peak_rss_kb.push_back(static_cast<double>(process_cost(process->pid()).peak_rss_kb));
    x.tap(e2e::kEscKeycode);
    process->wait(5s);
  }
  return result;
}

// --- key to title -------------------------------------------------------------

/// Presses keys in `window_count` windows in turn (one when idling before
/// each key) and times each press to the title change it causes. Games are
/// kept alive by typing their first character.
std::vector<double> measure_latency(XSession& x, const Program& program, int keys,
                                    std::chrono::milliseconds idle_before_each = 0ms,
                                    int window_count = 10) {
  const int kWindows = idle_before_each > 0ms ? 1 : window_count;
  std::vector<std::unique_ptr<Process>> processes;
  std::vector<::Window> windows;
  for (int i = 0; i < kWindows; ++i) {
    processes.push_back(launch(x, program));
    if (!x.find_window(*processes.back())) throw std::runtime_error("no window");
    windows.push_back(x.window());
    if (program.is_game) {
      // A terminal's window shows before the game in it has set its title.
      if (!x.wait_title("Hit Space Key!!!")) throw std::runtime_error("no game");
      x.tap(e2e::kSpaceKeycode);
      next_title_change(x, 5s);
    }
  }
  std::vector<double> samples;
  while (static_cast<int>(samples.size()) < keys) {
    bool pressed = false;
    for (::Window window : windows) {
      x.use_window(window);
      // Let the focus change settle: the game reads the keyboard's state
      // from the server when focus arrives, which is no part of a key's way.
      std::this_thread::sleep_for(5ms);
      const std::string before = x.title();
      e2e::Chord chord{e2e::kAKeycode};
      if (program.is_game) {
        if (before.empty() || before.size() > 10) continue;
        chord = *e2e::chord_in_layout(x.display(), before[0]);
      }
      // The modifiers go down first; the key's own press is what is timed.
      for (std::size_t i = 0; i + 1 < chord.size(); ++i) x.key_down(chord[i]);
      while (next_title_change(x, 0ms)) {
      }
      std::this_thread::sleep_for(idle_before_each);
      const SteadyTime start = std::chrono::steady_clock::now();
      x.key_down(chord.back());
      const auto changed = next_title_change(x, 2s);
      for (auto key = chord.rbegin(); key != chord.rend(); ++key) x.key_up(*key);
      // A tick of the window's own timer can land in between: not a sample.
      const std::string after = x.title();
      const bool keys_change =
          program.is_game ? after == before.substr(1) : after.rfind("key ", 0) == 0;
      if (changed && keys_change) samples.push_back(ms_between(start, *changed));
      pressed = true;
    }
    if (!pressed) {
      // Every game between ticks, or every game over.
      bool any_playing = false;
      for (::Window window : windows) {
        x.use_window(window);
        any_playing = any_playing || x.title().size() <= 10;
      }
      if (!any_playing) throw std::runtime_error("every game ended before enough keys");
      std::this_thread::sleep_for(20ms);
    }
  }
  for (::Window window : windows) {
    x.use_window(window);
    x.tap(e2e::kEscKeycode);
  }
  for (auto& process : processes) process->wait(5s);
  return samples;
}

// --- timer accuracy -----------------------------------------------------------

struct TickErrors {
  std::vector<double> ms;    // of ticks 2, 3, ... against the schedule from tick 1
  double first_tick_ms = 0;  // of tick 1 against the moment the timer started
};

/// How far each tick lands from the ideal schedule. Errors are taken from
/// the first tick on, as both programs' ticks then pass through the same
/// chain of processes waking from sleep (program, X server, driver).
TickErrors measure_ticks(XSession& x, const Program& program, int ticks) {
  auto process = launch(x, program);
  if (!x.find_window(*process)) throw std::runtime_error("no window");
  TickErrors errors;
  if (program.is_game) {
    x.tap(e2e::kSpaceKeycode);
    const auto start = next_title_change(x, 5s);
    std::optional<SteadyTime> first;
    double ideal = 0;
    for (int tick = 1; tick <= ticks; ++tick) {
      const auto at = next_title_change(x, 5s);
      if (!at) throw std::runtime_error("no tick");
      if (tick > 1) ideal += std::max(300, 1000 - 50 * ((tick - 1) / 10));
      if (!first) {
        first = at;
        errors.first_tick_ms = ms_between(*start, *at) - 1000;
      } else {
        errors.ms.push_back(ms_between(*first, *at) - ideal);
      }
      // Keep the game going: type what just arrived.
      const std::string title = x.title();
      x.type(title[0]);
      next_title_change(x, 2s);
    }
  } else {
    const auto first = next_title_change(x, 5s);
    for (int tick = 1; tick <= ticks; ++tick) {
      const auto at = next_title_change(x, 5s);
      if (!at) throw std::runtime_error("no tick");
      errors.ms.push_back(ms_between(*first, *at) - 1000.0 * tick);
    }
  }
  x.tap(e2e::kEscKeycode);
  process->wait(5s);
  return errors;
}

// --- idle cost ----------------------------------------------------------------

struct PhaseCost {
  const char* phase;
  double cpu_ms_per_min;
  double wakeups_per_min;
  double seconds;
};

PhaseCost cost_over(pid_t pid, const char* phase, std::chrono::milliseconds span,
                    const std::function<void()>& during = {}) {
  const ProcessCost before = process_cost(pid);
  const SteadyTime start = std::chrono::steady_clock::now();
  if (during) during();
  std::this_thread::sleep_until(start + span);
  const ProcessCost after = process_cost(pid);
  const double minutes = std::chrono::duration<double>(span).count() / 60;
  return {phase, (after.cpu_ms - before.cpu_ms) / minutes,
          static_cast<double>(after.wakeups - before.wakeups) / minutes,
          std::chrono::duration<double>(span).count()};
}

std::vector<PhaseCost> measure_idle(XSession& x, const Program& program, bool quick) {
  const auto span = quick ? 4s : 20s;
  auto process = launch(x, program);
  if (!x.find_window(*process)) throw std::runtime_error("no window");
  std::this_thread::sleep_for(500ms);
  std::vector<PhaseCost> costs;
  const pid_t pid = process->pid();
  costs.push_back(cost_over(pid, "Waiting", span));
  costs.push_back(cost_over(pid, "pointer moving over the window (200 moves)", 2s, [&] {
    for (int i = 0; i < 200; ++i) move_pointer(x, 10 + i % 100, 10 + i % 50);
  }));
  if (program.is_game) {
    x.tap(e2e::kSpaceKeycode);
    std::this_thread::sleep_for(1200ms);  // the Space and the first tick are not counted
    costs.push_back(cost_over(pid, "Playing, no keys (ticks 2 to 9)", 8s));
    std::this_thread::sleep_for(2s);  // past the game's end
    costs.push_back(cost_over(pid, "Over, result cycle", span));
  }
  x.tap(e2e::kEscKeycode);
  process->wait(5s);
  return costs;
}

// --- the terminal backend -----------------------------------------------------

struct TerminalFigures {
  std::vector<double> startup_ms;
  double peak_rss_kb = 0;
  PhaseCost waiting{};
};

TerminalFigures measure_terminal(int rounds, bool quick) {
  TerminalFigures figures;
  for (int i = 0; i <= rounds; ++i) {
    // Start-up: exec to the first title on a pseudo-terminal.
    int master = -1;
    const SteadyTime start = std::chrono::steady_clock::now();
    const pid_t pid = forkpty(&master, nullptr, nullptr, nullptr);
    if (pid == 0) {
      unsetenv("DISPLAY");
      execl(kGame.c_str(), kGame.c_str(), "--terminal", nullptr);
      _exit(127);
    }
    std::string seen;
    char buffer[512];
    while (seen.find("Hit Space Key!!!") == std::string::npos) {
      const ssize_t n = read(master, buffer, sizeof buffer);
      if (n <= 0) throw std::runtime_error("no title on the pseudo-terminal");
      seen.append(buffer, static_cast<std::size_t>(n));
    }
    if (i < rounds) {
      figures.startup_ms.push_back(ms_between(start, std::chrono::steady_clock::now()));
    } else {  // the last game: idle and memory, waiting for Space
      figures.waiting = cost_over(pid, "Waiting", quick ? 4s : 20s);
      figures.peak_rss_kb = static_cast<double>(process_cost(pid).peak_rss_kb);
    }
    if (write(master, "\x1b", 1) != 1) kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    close(master);
  }
  return figures;
}

// --- the report ---------------------------------------------------------------

std::string fixed(double value, int decimals = 2) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

std::string row(const std::string& what, double game, double floor, int decimals = 2) {
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
  const auto x_of = [&](std::size_t i) { return kLeft + (kWidth - kLeft - 10) * i / count; };
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

int run(const std::string& out_dir, bool quick) {
  const int rounds = quick ? 2 : 5;
  const int keys = quick ? 50 : 500;
  const int game_tick_count = quick ? 12 : 160;
  const int floor_tick_count = quick ? 5 : 60;
  const Program game{"game", kGame, true};
  const Program floor{"floor", kFloor, false};

  XSession x;
  std::cerr << "start-up and memory...\n";
  Startup game_start, floor_start;
  for (int i = 0; i < rounds; ++i) {  // interleaved, so that both see the same machine
    const Startup g = measure_startup(x, game, 1), f = measure_startup(x, floor, 1);
    game_start.ms.push_back(g.ms[0]), game_start.peak_rss_kb.push_back(g.peak_rss_kb[0]);
    floor_start.ms.push_back(f.ms[0]), floor_start.peak_rss_kb.push_back(f.peak_rss_kb[0]);
  }
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

  const auto abs_all = [](std::vector<double> v) {
    for (double& e : v) e = std::abs(e);
    return v;
  };
  std::ostringstream md;
  utsname machine{};
  uname(&machine);
  md << "# Performance\n\n"
     << "The game measured side by side with the floor: the smallest Xlib client that does\n"
     << "what the game does at the window system (`bench/floor.cc`: a 153 x 72 window whose\n"
     << "title changes on each key press and on a 1000 ms timer). Both run on the same\n"
     << "private Xvfb in the same run, " << rounds << " rounds interleaved.\n\n"
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
  md << row("tick error p50, absolute (ms)", median(abs_all(game_ticks_error)),
            median(abs_all(floor_ticks_error)), 3);
  md << row("tick error p99, absolute (ms)", percentile(abs_all(game_ticks_error), 0.99),
            percentile(abs_all(floor_ticks_error), 0.99), 3);
  md << row("tick error max, absolute (ms)", percentile(abs_all(game_ticks_error), 1),
            percentile(abs_all(floor_ticks_error), 1), 3);
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

/// The Windows build under Wine, side by side with the Linux window on the
/// same Xvfb: what Wine adds, and whether the Windows loop keeps time.
int run_wine(const std::string& out_dir, const std::string& exe, bool quick) {
  const int rounds = quick ? 2 : 5;
  const int keys = quick ? 20 : 100;  // one window: about a key per tick
  const int ticks = quick ? 12 : 60;
  XSession x;
  std::cerr << "setting up a Wine prefix...\n";
  const e2e::WinePrefix wine(x.display_name());
  const Program linux_game{"Linux", kGame, true};
  const Program windows_game{"Windows", "wine", true, {exe}, wine.environment()};

  std::cerr << "start-up...\n";
  Startup windows_start, linux_start;
  for (int i = 0; i < rounds; ++i) {
    const Startup w = measure_startup(x, windows_game, 1), l = measure_startup(x, linux_game, 1);
    windows_start.ms.push_back(w.ms[0]), windows_start.peak_rss_kb.push_back(w.peak_rss_kb[0]);
    linux_start.ms.push_back(l.ms[0]), linux_start.peak_rss_kb.push_back(l.peak_rss_kb[0]);
  }
  std::cerr << "key to title...\n";
  // One window each: Wine takes the focus from the X server only as its
  // window manager would hand it over.
  const auto windows_latency = measure_latency(x, windows_game, keys, 0ms, 1);
  const auto linux_latency = measure_latency(x, linux_game, keys, 0ms, 1);
  std::cerr << "timers...\n";
  const TickErrors windows_ticks = measure_ticks(x, windows_game, ticks);
  const TickErrors linux_ticks = measure_ticks(x, linux_game, ticks);
  const auto abs_all = [](std::vector<double> v) {
    for (double& e : v) e = std::abs(e);
    return v;
  };
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
  md << row("tick error p50, absolute (ms)", median(abs_all(w)), median(abs_all(l)), 3);
  md << row("tick error p99, absolute (ms)", percentile(abs_all(w), 0.99),
            percentile(abs_all(l), 0.99), 3);
  md << row("tick error max, absolute (ms)", percentile(abs_all(w), 1), percentile(abs_all(l), 1),
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

/// Times each of `rounds` Esc presses in a new window of `terminal` (its
/// arguments before the game's) to the game's exit, which a shell notes.
std::vector<double> measure_esc(XSession& x, const Program& terminal, int rounds) {
  const std::string noted = "/tmp/titletype-bench-exit-" + std::to_string(getpid());
  Program wrapped = terminal;
  wrapped.args.pop_back();  // the game and its option, run by a shell instead
  wrapped.args.pop_back();
  wrapped.args.insert(wrapped.args.end(),
                      {"sh", "-c", kGame + " --terminal; date +%s.%N >" + noted});
  std::vector<double> samples;
  for (int i = 0; i < rounds; ++i) {
    auto process = launch(x, wrapped);
    if (!x.find_window(*process) || !x.wait_title("Hit Space Key!!!")) {
      throw std::runtime_error("no game");
    }
    std::this_thread::sleep_for(100ms);  // the terminal's answers are in
    timespec pressed{};
    clock_gettime(CLOCK_REALTIME, &pressed);
    x.tap(e2e::kEscKeycode);
    process->wait(5s);
    double exited = 0;
    std::ifstream(noted) >> exited;
    samples.push_back((exited - double(pressed.tv_sec) - double(pressed.tv_nsec) / 1e9) * 1000);
  }
  std::remove(noted.c_str());
  return samples;
}

/// The terminal game in kitty, which reports every key through its keyboard
/// protocol (Esc as a sequence of its own); in kitty with the protocol
/// hidden from the game; and in xterm. Without the protocol the terminal
/// sends characters, and a lone ESC is told from a sequence by a 50 ms wait.
int run_terminals(const std::string& out_dir, bool quick) {
  const int keys = quick ? 40 : 200;
  const int rounds = quick ? 5 : 20;
  XSession x;
  const std::vector<std::string> kitty_options = {"--config=NONE", "-o",
                                                  "confirm_os_window_close=0"};
  const auto in_kitty = [&](std::vector<std::string> game) {
    game.insert(game.begin(), kitty_options.begin(), kitty_options.end());
    return Program{"kitty", "kitty", true, game, {{"LIBGL_ALWAYS_SOFTWARE", "1"}}};
  };
  // The game last in each: measure_esc runs it through a shell instead.
  const Program kitty = in_kitty({kGame, "--terminal"});
  const Program kitty_plain = in_kitty({kHideKeyProtocol, kGame, "--terminal"});
  const Program xterm{"xterm", "xterm", true, {"-e", kGame, "--terminal"}};
  std::vector<std::vector<double>> key_ms, esc_ms;
  const std::pair<const char*, const Program*> columns[] = {
      {"kitty with the protocol", &kitty}, {"kitty without it", &kitty_plain}, {"xterm", &xterm}};
  for (const auto& [label, terminal] : columns) {
    std::cerr << label << "...\n";
    key_ms.push_back(measure_latency(x, *terminal, keys, 0ms, 1));
    esc_ms.push_back(measure_esc(x, *terminal, rounds));
  }

  std::ostringstream md;
  md << "# The terminal game in kitty and in xterm\n\n"
     << "The same game binary in " << command_output("kitty --version") << " and "
     << command_output("xterm -version") << ", one window at a time on one private Xvfb\n"
     << "in the same run. Regenerate with `bench/run.sh --terminals`. kitty reports keys\n"
     << "through its keyboard protocol; in the middle column `bench/hide_key_protocol.cc`\n"
     << "keeps kitty's answer to the protocol's question from the game, which then reads\n"
     << "characters there as it does in xterm. All figures include the terminal's own\n"
     << "work: its keyboard handling and drawing. The ratio is kitty with the protocol\n"
     << "against kitty without it.\n\n"
     << "| measure | kitty (protocol) | kitty (characters) | xterm (characters) | ratio |\n"
     << "|---|---|---|---|---|\n";
  const auto line = [&](const std::string& what, const std::vector<std::vector<double>>& ms,
                        double p) {
    const auto at = [&](std::size_t i) { return percentile(ms[i], p); };
    return "| " + what + " | " + fixed(at(0), 3) + " | " + fixed(at(1), 3) + " | " +
           fixed(at(2), 3) + " | " + fixed(at(0) / at(1), 2) + " |\n";
  };
  md << line("key to title p50 (ms)", key_ms, 0.5) << line("key to title p99 (ms)", key_ms, 0.99)
     << line("Esc to the game's exit p50 (ms)", esc_ms, 0.5)
     << line("Esc to the game's exit p99 (ms)", esc_ms, 0.99);
  md << "\nKeys: " << key_ms[0].size()
     << " in each, each the first character of the title, timed from the XTest\n"
     << "press to the change of the window's title. Esc: " << esc_ms[0].size()
     << " games in each, from the press to\n"
     << "the game's exit as the shell that ran it notes it (date +%s.%N), so without the\n"
     << "terminal's own closing.\n";
  std::ofstream(out_dir + "/performance-terminals.md") << md.str();
  std::cout << md.str();
  return 0;
}

}  // namespace
}  // namespace titletype::bench

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const bool quick = std::find(args.begin(), args.end(), "--quick") != args.end();
  const auto wine = std::find(args.begin(), args.end(), "--wine");
  if (args.empty() || args[0].starts_with("--") || (wine != args.end() && wine + 1 == args.end())) {
    std::cerr << "usage: bench_driver OUTPUT_DIR [--quick] [--wine WINDOWS_EXE | --terminals]\n";
    return 2;
  }
  try {
    if (wine != args.end()) return titletype::bench::run_wine(args[0], *(wine + 1), quick);
    if (std::find(args.begin(), args.end(), "--terminals") != args.end()) {
      return titletype::bench::run_terminals(args[0], quick);
    }
    return titletype::bench::run(args[0], quick);
  } catch (const std::exception& error) {
    std::cerr << "bench_driver: " << error.what() << "\n";
    return 1;
  }
}
