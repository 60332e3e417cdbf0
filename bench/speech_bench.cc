// SPDX-License-Identifier: MIT
// The spoken display's speed: for each key that hits, the time from the
// key to the title it changes and, side by side, to the speech request it
// causes, as a stand-in for speech-dispatcher receives it (the service's
// own synthesis and sound come after, and are the player's voice's).
#include <iostream>
#include <sstream>
#include <thread>

#include "bench/bench.h"
#include "bench/measure.h"
#include "bench/window_watch.h"
#include "tests/harness/fake_speech_service.h"
#include "tests/harness/layout_keys.h"

namespace titletype::bench {

int run_speech_bench(const std::string& out_dir, bool quick) {
  const int keys = quick ? 20 : 200;
  std::vector<double> to_title, to_speech;
  XSession x;
  e2e::FakeSpeechService service;
  auto game = x.start_game(kGame, {"--window", "--speak"});
  if (!x.find_window(*game) || !x.wait_title("Hit Space Key!!!"))
    throw std::runtime_error("no game");
  x.tap(e2e::kSpaceKeycode);
  next_title_change(x, 5s);
  while (static_cast<int>(to_title.size()) < keys) {
    const std::string before = x.title();
    if (before.size() < 2 || before.size() > 10) {        // a hit that leaves a name to say
      if (before.size() > 10) x.tap(e2e::kSpaceKeycode);  // over: a new game
      next_title_change(x, 2s);
      continue;
    }
    const e2e::Chord chord = e2e::chord_by_place(before[0]);
    for (std::size_t i = 0; i + 1 < chord.size(); ++i) x.key_down(chord[i]);
    std::this_thread::sleep_for(5ms);
    while (next_title_change(x, 0ms)) {
    }
    const std::size_t heard = service.heard().size();
    const SteadyTime start = std::chrono::steady_clock::now();
    x.key_down(chord.back());
    const auto titled = next_title_change(x, 2s);
    std::optional<SteadyTime> said;
    for (const auto end = start + 2s; !said && std::chrono::steady_clock::now() < end;) {
      const auto texts = service.heard();
      for (std::size_t i = heard; i < texts.size(); ++i)
        if (texts[i] != "CANCEL") said = std::chrono::steady_clock::now();
      if (!said) std::this_thread::sleep_for(50us);
    }
    for (auto key = chord.rbegin(); key != chord.rend(); ++key) x.key_up(*key);
    // A tick of the game's own can land in between: not a sample.
    if (titled && said && x.title() == before.substr(1)) {
      to_title.push_back(ms_between(start, *titled));
      to_speech.push_back(ms_between(start, *said));
    }
  }
  std::ostringstream md;
  md << "# Performance of the spoken display\n\n"
     << "The X11 window with `--speak`, its keys from XTest on a private Xvfb, speaking\n"
     << "to a stand-in for speech-dispatcher on a local socket: for each key that hits,\n"
     << "the time to the title it changes and to the speech request it causes, side by\n"
     << "side. The request is asked for on the voice's own thread; what the service then\n"
     << "takes to synthesise and play is the player's voice's, not the game's.\n"
     << "Regenerate with `bench/run.sh --speech`.\n\n"
     << "| measure (" << to_title.size()
     << " keys) | key to speech request | key to title | ratio |\n"
     << "|---|---|---|---|\n";
  md << row("p50 (ms)", median(to_speech), median(to_title), 3);
  md << row("p99 (ms)", percentile(to_speech, 0.99), percentile(to_title, 0.99), 3);
  std::ofstream(out_dir + "/performance-speech.md") << md.str();
  std::cout << md.str();
  x.tap(e2e::kEscKeycode);
  game->wait(20s);
  return 0;
}

}  // namespace titletype::bench
