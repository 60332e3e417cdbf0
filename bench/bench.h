// SPDX-License-Identifier: MIT
// What the benchmark's parts share: the programs measured, side by side on
// one private Xvfb, the measurements taken of them (measures.cc) and the
// report's pieces (report.cc). Each driver (window_bench.cc, wine_bench.cc,
// terminal_bench.cc, wayland_bench.cc, speech_bench.cc) measures one thing
// against its floor.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/harness/x_session.h"

namespace titletype::bench {

using namespace std::chrono_literals;
using e2e::Process;
using e2e::XSession;
using SteadyTime = std::chrono::steady_clock::time_point;

inline const std::string kGame = TITLETYPE_BINARY;
inline const std::string kFloor = FLOOR_BINARY;
inline const std::string kHideKeyProtocol = HIDE_KEY_PROTOCOL_BINARY;

inline double ms_between(SteadyTime from, SteadyTime to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

struct Program {
  const char* name;
  std::string binary;
  bool is_game;
  std::vector<std::string> args = {};
  std::vector<std::pair<std::string, std::string>> env = {};
};

inline std::unique_ptr<Process> launch(XSession& x, const Program& program) {
  return x.start_game(program.binary, program.args, program.env);
}

// --- measurements (measures.cc) ---------------------------------------------

struct Startup {
  std::vector<double> ms;
  std::vector<double> peak_rss_kb;
};

/// `rounds` start-ups of `program`, with its peak memory when `memory` (the
/// process then runs on a while, and is closed with Esc rather than killed).
Startup measure_startup(XSession& x, const Program& program, int rounds, bool memory = true);

/// Start-up of `a` and `b` over `rounds` rounds, interleaved so that both
/// see the same machine, and memory in the first `memory_rounds` of them
/// (all if negative).
std::pair<Startup, Startup> measure_startups(XSession& x, const Program& a, const Program& b,
                                             int rounds, int memory_rounds = -1);

/// Presses keys in `window_count` windows in turn (one when idling before
/// each key) and times each press to the title change it causes. Games are
/// kept alive by typing their first character.
std::vector<double> measure_latency(XSession& x, const Program& program, int keys,
                                    std::chrono::milliseconds idle_before_each = 0ms,
                                    int window_count = 10);

struct TickErrors {
  std::vector<double> ms;    // of ticks 2, 3, ... against the schedule from tick 1
  double first_tick_ms = 0;  // of tick 1 against the moment the timer started
};

/// How far each tick lands from the ideal schedule. Errors are taken from
/// the first tick on, as both programs' ticks then pass through the same
/// chain of processes waking from sleep (program, X server, driver).
TickErrors measure_ticks(XSession& x, const Program& program, int ticks);

struct PhaseCost {
  const char* phase;
  double cpu_ms_per_min;
  double wakeups_per_min;
  double seconds;
};

PhaseCost cost_over(pid_t pid, const char* phase, std::chrono::milliseconds span,
                    const std::function<void()>& during = {});

std::vector<PhaseCost> measure_idle(XSession& x, const Program& program, bool quick);

struct TerminalFigures {
  std::vector<double> startup_ms;
  double peak_rss_kb = 0;
  PhaseCost waiting{};
};

TerminalFigures measure_terminal(int rounds, bool quick);

// --- the report (report.cc) -------------------------------------------------

std::string fixed(double value, int decimals = 2);

std::string row(const std::string& what, double game, double floor, int decimals = 2);

std::string command_output(const std::string& command);

void write_svg(const std::string& path, const std::vector<double>& game,
               const std::vector<double>& floor);

// --- the drivers ------------------------------------------------------------

/// The game's window against the floor: docs/performance.md and
/// docs/tick-errors.svg in `out_dir`.
int run_window_bench(const std::string& out_dir, bool quick);
/// The Windows build `exe` under Wine: docs/performance-windows.md.
int run_wine_bench(const std::string& out_dir, const std::string& exe, bool quick);
/// The terminal game in kitty and xterm: docs/performance-terminals.md.
int run_terminal_bench(const std::string& out_dir, bool quick);
/// The spoken display against the title: docs/performance-speech.md.
int run_speech_bench(const std::string& out_dir, bool quick);
/// The Wayland window in sway: docs/performance-wayland.md.
int run_wayland_bench(const std::string& out_dir, bool quick);

}  // namespace titletype::bench
