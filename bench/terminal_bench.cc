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

namespace titletype::bench {

/// Times each of `rounds` Esc presses in a new window of `terminal` (its
/// arguments before the game's) to the game's exit, which a shell notes.
namespace {

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

}  // namespace

/// The terminal game in kitty, which reports every key through its keyboard
/// protocol (Esc as a sequence of its own); in kitty with the protocol
/// hidden from the game; and in xterm. Without the protocol the terminal
/// sends characters, and a lone ESC is told from a sequence by a 50 ms wait.
int run_terminal_bench(const std::string& out_dir, bool quick) {
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

}  // namespace titletype::bench
