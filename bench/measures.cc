// SPDX-License-Identifier: MIT
// The measurements: start-up, memory, key to title, timer accuracy, idle
// cost, and the terminal game's.
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

// --- start-up and memory ---------------------------------------------------

Startup measure_startup(XSession& x, const Program& program, int rounds, bool memory) {
  Startup result;
  for (int i = 0; i < rounds; ++i) {
    const SteadyTime start = std::chrono::steady_clock::now();
    auto process = launch(x, program);
    if (!x.find_window(*process)) throw std::runtime_error("no window");
    result.ms.push_back(ms_between(start, x.mapped_at()));
    if (!memory) {
      process->kill(SIGKILL), process->wait(5s);
      continue;
    }
    std::this_thread::sleep_for(200ms);
    result.peak_rss_kb.push_back(static_cast<double>(process_cost(process->pid()).peak_rss_kb));
    x.tap(e2e::kEscKeycode);
    process->wait(5s);
  }
  return result;
}

// --- key to title -------------------------------------------------------------

std::pair<Startup, Startup> measure_startups(XSession& x, const Program& a, const Program& b,
                                             int rounds, int memory_rounds) {
  std::pair<Startup, Startup> both;
  for (int i = 0; i < rounds; ++i) {
    for (auto [program, figures] : {std::pair{&a, &both.first}, {&b, &both.second}}) {
      const Startup one = measure_startup(x, *program, 1, memory_rounds < 0 || i < memory_rounds);
      figures->ms.push_back(one.ms[0]);
      if (!one.peak_rss_kb.empty()) figures->peak_rss_kb.push_back(one.peak_rss_kb[0]);
    }
  }
  return both;
}

std::vector<double> measure_latency(XSession& x, const Program& program, int keys,
                                    std::chrono::milliseconds idle_before_each, int window_count) {
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

PhaseCost cost_over(pid_t pid, const char* phase, std::chrono::milliseconds span,
                    const std::function<void()>& during) {
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

}  // namespace titletype::bench
