// SPDX-License-Identifier: MIT
// The voice of Linux against a stand-in for speech-dispatcher.
#include "platform/speechd/speech_dispatcher_voice.h"

#include <gtest/gtest.h>

#include "tests/harness/fake_speech_service.h"
#include "tests/harness/process.h"

namespace titletype {
namespace {

using e2e::FakeSpeechService;

TEST(SpeechDispatcherVoiceTest, SaysEachTextCuttingOffWhatIsStale) {
  FakeSpeechService service;
  {
    SpeechDispatcherVoice voice;
    voice.say("kilo", Delivery::kInterrupt);
    ASSERT_TRUE(e2e::eventually([&] { return service.heard().size() == 2; }))
        << testing::PrintToString(service.heard());
    voice.say("8", Delivery::kAfter);
    ASSERT_TRUE(e2e::eventually([&] { return service.heard().size() == 3; }));
    voice.say("zulu, 8", Delivery::kInterrupt);
    ASSERT_TRUE(e2e::eventually([&] { return service.heard().size() == 5; }));
  }
  EXPECT_EQ(service.heard(),
            (std::vector<std::string>{"CANCEL", "kilo", "8", "CANCEL", "zulu, 8"}));
}

TEST(SpeechDispatcherVoiceTest, AServiceThatHangsHoldsUpNeitherTheGameNorItsEnd) {
  FakeSpeechService service(1);
  SpeechDispatcherVoice voice;
  voice.say("kilo", Delivery::kInterrupt);
  ASSERT_TRUE(e2e::eventually([&] { return service.heard().size() == 2; }));
  voice.say("lima", Delivery::kInterrupt);  // not answered: the speaker waits for ever
  ASSERT_TRUE(e2e::eventually([&] { return service.heard().size() == 4; }));
  for (int i = 0; i < 100; ++i) voice.say("mike", Delivery::kAfter);  // returns at once
}

TEST(SpeechDispatcherVoiceTest, NoServiceIsOneLine) {
  setenv("SPEECHD_ADDRESS", "unix_socket:/nonexistent/speechd.sock", 1);
  try {
    SpeechDispatcherVoice voice;
    ADD_FAILURE() << "a voice with no service";
  } catch (const SpeechUnavailable& error) {
    const std::string line = error.what();
    EXPECT_TRUE(line.starts_with("cannot reach the speech service") &&
                line.find("/nonexistent/speechd.sock") != line.npos && line.find('\n') == line.npos)
        << line;
  }
  unsetenv("SPEECHD_ADDRESS");
}

}  // namespace
}  // namespace titletype
