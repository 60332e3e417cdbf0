// SPDX-License-Identifier: MIT
// The desktop game end to end: the real binary in its own X server.
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>

#include "tests/e2e/window_game.h"
#include "tests/harness/fake_speech_service.h"
#include "tests/harness/layout_keys.h"

namespace titletype::e2e {

const std::string kGame = installed_or(TITLETYPE_BINARY);
const std::string kScriptedGame = TITLETYPE_SCRIPTED_BINARY;

const bool WindowGameTest::kExactIcon = true;
const bool WindowGameTest::kKeypadByNumLock = true;

void WindowGameTest::SetUpTestSuite() { x_ = std::make_unique<XSession>(); }
void WindowGameTest::TearDownTestSuite() { x_.reset(); }

std::unique_ptr<Process> WindowGameTest::launch(std::vector<std::string> args, bool scripted) {
  if (scripted) args.insert(args.begin(), "--window");
  return x().start_game(scripted ? kScriptedGame : kGame, args);
}

// By place the keys' names are read, whatever the layout: AZERTY, which
// moves the most, stands for the others. Typed, US moves the punctuation and
// QWERTZ needs AltGr.
std::vector<LayoutPlay> layout_plays() {
  return {{"jp", kPosition}, {"fr", kPosition}, {"us", kTyped}, {"de", kTyped}};
}

namespace {

TEST(X11GameTest, LosingTheServerEndsTheGameWithAMessage) {
  XSession x;
  auto game = x.start_game(kGame);
  ASSERT_TRUE(x.find_window(*game));
  EXPECT_EQ(window_libraries(game->pid()), "libX11");  // the X11 window's own alone
  x.tap(kSpaceKeycode);
  x.kill_server();
  EXPECT_EQ(game->wait(20s), 1);
  EXPECT_EQ(game->stderr_text(), "titletype: lost the connection to the X server\n");
}

TEST(X11GameTest, AFloodOfKeysIsJudgedToTheLastOne) {
  // "A", then "B": 10,000 X's at once are as many misses, Esc one more.
  XSession x;
  auto game = x.start_game(kScriptedGame, {"--window", "--report", "0.05", "0.58"});
  ASSERT_TRUE(x.find_window(*game));
  ASSERT_TRUE(x.wait_title("Hit Space Key!!!"));
  x.tap(kSpaceKeycode);
  for (int i = 0; i < 10'000; ++i) x.tap(kXKeycode);
  x.tap(kEscKeycode);
  EXPECT_EQ(game->wait(60s), 0);
  EXPECT_EQ(game->stderr_text(), "hits 0, misses 10001, modifiers 0\n");
}

TEST(X11GameTest, ASignalEndsTheGameWithItsStatus) {
  XSession x;
  for (int signo : {SIGTERM, SIGINT, SIGHUP}) {
    auto game = x.start_game(kGame);
    ASSERT_TRUE(x.find_window(*game));
    game->kill(signo);
    EXPECT_EQ(game->wait(20s), 128 + signo) << signo;
  }
}

/// Each character by its spoken name, as the README's table gives them.
std::map<std::string, char> names_in_readme() {
  std::ifstream readme(TITLETYPE_README);
  std::map<std::string, char> names;
  const std::regex cell("\\| `(.)` ([a-z-]+) ");
  for (std::string line; std::getline(readme, line);)
    for (std::sregex_iterator it(line.begin(), line.end(), cell), end; it != end; ++it)
      names[(*it)[2]] = (*it)[1].str()[0];
  return names;
}

// A player who hears the game and never looks at it: the title is read
// once, at the end, to see that it shows the score that was said.
TEST(X11GameTest, APlayerByEarPlaysAGameOfSixtyTicksWithoutAMiss) {
  const auto names = names_in_readme();
  ASSERT_EQ(names.size(), 58u);
  FakeSpeechService service;
  XSession x;
  auto game = x.start_game(kGame, {"--window", "--speak"});
  ASSERT_TRUE(x.find_window(*game));
  x.tap(kSpaceKeycode);
  // Sixty ticks come within 53 s: ten at each interval from 1000 ms down.
  const auto stop = std::chrono::steady_clock::now() + 56s;
  std::size_t heard = 0;
  int struck = 0;
  while (std::chrono::steady_clock::now() < stop) {
    const auto said = service.heard();
    for (; heard < said.size(); ++heard) {
      std::string text = said[heard];
      ASSERT_FALSE(text.starts_with("miss")) << "after " << struck << " keys";
      if (text.starts_with("go, ")) text.erase(0, 4);
      // A name, and maybe the title's length: strike that character.
      if (const auto it = names.find(text.substr(0, text.find(','))); it != names.end()) {
        x.play(chord_by_place(it->second));
        ++struck;
      }
    }
    std::this_thread::sleep_for(5ms);
  }
  EXPECT_GE(struck, 60);
  // Then no more keys: the game ends, and its score is said.
  std::string score;
  ASSERT_TRUE(eventually(
      [&] {
        for (const std::string& text : service.heard())
          if (text.starts_with("score ")) score = text.substr(6);
        return !score.empty();
      },
      30s));
  EXPECT_EQ(x.title(), "SCORE " + score);
  x.tap(kEscKeycode);
  EXPECT_EQ(game->wait(20s), 0);
}

// Real speech once: speech-dispatcher with espeak-ng, started here, each
// utterance written down and made into a sound file by a module of ours,
// its audio output a null one.
TEST(X11GameTest, TheGamesWordsReachSpeechDispatcherAndAreSpoken) {
  const TempFolder folder("speech");
  const std::filesystem::path& dir = folder.path();
  std::filesystem::create_directories(dir / "modules");
  std::ofstream(dir / "speechd.conf") << "AddModule \"recorder\" \"sd_generic\" \"recorder.conf\"\n"
                                         "DefaultModule recorder\nAudioOutputMethod \"libao\"\n";
  std::ofstream(dir / "modules/recorder.conf")
      << "GenericExecuteSynth \"echo \\'$DATA\\' >>" << (dir / "said").string() << "; espeak-ng -w "
      << (dir / "said-$$.wav").string() << " \\'$DATA\\'\"\n"
      << "AddVoice \"en\" \"MALE1\" \"en\"\n";
  std::ofstream(dir / ".libao") << "default_driver=null\n";
  const std::string socket = (dir / "sock").string();
  Process service({"speech-dispatcher", "-s", "-t", "0", "-c", "unix_socket", "-S", socket, "-C",
                   dir.string(), "-m", "/usr/lib/speech-dispatcher-modules"},
                  {{"HOME", dir.string()}});
  ASSERT_TRUE(eventually([&] { return std::filesystem::exists(socket); })) << service.stderr_text();
  XSession x;
  auto game =
      x.start_game(kGame, {"--window", "--speak"}, {{"SPEECHD_ADDRESS", "unix_socket:" + socket}});
  ASSERT_TRUE(x.find_window(*game));
  const auto spoken = [&](const std::string& words) {
    return read_file((dir / "said").string()).find(words) != std::string::npos;
  };
  // The prompt heard before Space, as a player hears it: a game's start
  // cuts off what is not yet said.
  EXPECT_TRUE(eventually([&] { return spoken("hit space key"); }));
  x.tap(kSpaceKeycode);
  EXPECT_TRUE(eventually([&] { return spoken("go, "); })) << read_file((dir / "said").string());
  x.tap(kEscKeycode);
  EXPECT_EQ(game->wait(20s), 0);
  const auto sound = [&] {  // bytes of it, as espeak-ng writes them
    std::uintmax_t bytes = 0;
    for (const auto& file : std::filesystem::directory_iterator(dir))
      if (file.path().extension() == ".wav") bytes += file.file_size();
    return bytes;
  };
  EXPECT_TRUE(eventually([&] { return sound() > 10000; })) << sound() << " bytes of sound";
  service.kill(SIGTERM);
}

TEST(X11GameTest, WithNowhereToPlayItSaysSoInOneLine) {
  // Standard input is not a terminal, and no display opens.
  for (const auto& [option, display] :
       {std::pair{"", ""}, {"--terminal", ""}, {"--window", ""}, {"--window", ":987"}}) {
    Process game(*option ? std::vector<std::string>{kGame, option} : std::vector{kGame},
                 {{"DISPLAY", display}});
    EXPECT_EQ(game.wait(20s), 1);
    const std::string message = game.stderr_text();
    EXPECT_TRUE(message.starts_with("titletype: ") && message.find('\n') == message.size() - 1)
        << message;
  }
}

}  // namespace
}  // namespace titletype::e2e
