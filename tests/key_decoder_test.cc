// SPDX-License-Identifier: MIT
// Terminal bytes to the key strokes of a JIS keyboard.
#include "platform/terminal/key_decoder.h"

#include <gtest/gtest.h>

#include "platform/terminal/kitty_keys.h"
#include "platform/terminal/terminal_screen.h"
#include "tests/sim_game.h"

namespace titletype {

void PrintTo(const KeyStroke& stroke, std::ostream* out) {
  *out << "{" << stroke.key << ", " << int(stroke.modifiers) << ", " << int(stroke.action) << "}";
}

namespace {

std::vector<KeyStroke> decode(std::string_view bytes, bool key_events = false,
                              KeyModel keys = KeyModel::kPosition) {
  KeyDecoder decoder;
  if (key_events) decoder.read_key_events(keys);
  std::vector<KeyStroke> out;
  decoder.feed(bytes, ms(0), out);
  if (decoder.deadline()) decoder.expire(out);
  return out;
}

TEST(KeyDecoderTest, EveryFeedCharacterTypedInATerminalRemovesIt) {
  for (char c = '!'; c <= 'Z'; ++c) {
    auto sim = playing(std::string{c, 'Z'});
    for (const KeyStroke& stroke : decode(std::string(1, c))) sim->stroke(stroke);
    EXPECT_EQ(sim->title(), "Z") << "typing '" << c << "'";
  }
}

TEST(KeyDecoderTest, BytesAndSequencesToStrokes) {
  constexpr ModifierMask S = kShiftBit, C = kCtrlBit, A = kAltBit;
  const std::pair<std::string, std::vector<KeyStroke>> cases[] = {
      {"azZ", {{'A', 0}, {'Z', 0}, {'Z', 0}}},
      {"]}", {{221, 0}, {221, S}}},
      {":*@`", {{186, 0}, {186, S}, {192, 0}, {192, S}}},
      {"_\\|~", {{226, S}, {220, 0}, {220, S}, {222, S}}},
      {" ", {{32, 0}}},
      {"\x01\x03\x1a\x1c\x1d\x1e\x1f",
       {{'A', C}, {'C', C}, {'Z', C}, {220, C}, {221, C}, {222, C}, {226, C}}},
      {std::string("\t\r\n\x7f\x08\0", 6), {{9, 0}, {13, 0}, {13, 0}, {8, 0}, {8, 0}, {32, C}}},
      {"\x1b", {{27, 0}}},
      {"\x1b\x1b", {{27, A}}},
      {"\x1b"
       "a\x1b:\x1b*\x1b\x01",
       {{'A', A}, {186, A}, {186, S | A}, {'A', C | A}}},
      {"\x1b[A\x1b[B\x1b[C\x1b[D\x1b[H\x1b[F",
       {{38, 0}, {40, 0}, {39, 0}, {37, 0}, {36, 0}, {35, 0}}},
      {"\x1bOA\x1bOH\x1bOP\x1bOQ\x1bOR\x1bOS",
       {{38, 0}, {36, 0}, {112, 0}, {113, 0}, {114, 0}, {115, 0}}},
      {"\x1bO1;2A", {{187, 0}, {'2', 0}, {'A', 0}}},  // SS3 takes one byte only
      {"\x1b[1~\x1b[2~\x1b[3~\x1b[4~\x1b[5~\x1b[6~\x1b[7~\x1b[8~",
       {{36, 0}, {45, 0}, {46, 0}, {35, 0}, {33, 0}, {34, 0}, {36, 0}, {35, 0}}},
      {"\x1b[11~\x1b[15~\x1b[17~\x1b[21~\x1b[23~\x1b[24~",
       {{112, 0}, {116, 0}, {117, 0}, {121, 0}, {122, 0}, {123, 0}}},
      {"\x1b[[A\x1b[[E\x1b[[FB", {{112, 0}, {116, 0}, {'B', 0}}},
      {"\x1b[1;2A\x1b[5;5~\x1b[1;3P\x1b[3;8~\x1b[1;16A",
       {{38, S}, {33, C}, {112, A}, {46, S | C | A}, {38, S | C | A}}},
      // Malformed or unknown: dropped whole.
      {"\x1b[?25h\x1b[99~\x1b[1;2;3A\x1b[2;99~\x1b[5A\x1bOZ\x1b[x\x1b[1;0A\x1b[1;17A", {}},
      {"\x1b[ A\x1b[@\x1b[5?~", {}},
      // Sequences up to 32 bytes long are read; longer ones are dropped.
      {"\x1b[" + std::string(29, '0') + "5~", {{33, 0}}},
      {"\x1b[" + std::string(30, '0') + "5~", {}},
      {"\x1b[" + std::string(29, '0') + "5" + std::string(9, '0') + "~", {}},
      {"\x1b[5\x03", {{'C', C}}},
      {"\x1b[" + std::string(100, '1') + "~Q", {{'Q', 0}}},
      {"\xc3\xa9\xe3\x81\x82Q\xff\xf0\x9f\x98\x80\x80R", {{'Q', 0}, {'R', 0}}},
      {"\x1b\xc3\xa9Q", {{'Q', 0}}},
  };
  for (const auto& [bytes, strokes] : cases)
    EXPECT_EQ(decode(bytes), strokes) << testing::PrintToString(bytes);
}

TEST(KeyDecoderTest, ReportedKeyEventsAndModifiedKeys) {
  constexpr ModifierMask S = kShiftBit, C = kCtrlBit, A = kAltBit;
  constexpr KeyAction D = KeyAction::kDown, U = KeyAction::kUp, T = KeyAction::kTap;
  // Once the kitty protocol is on: presses and repeats, releases, lone
  // modifiers with their own bit, keys by their US position where given.
  const std::pair<std::string, std::vector<KeyStroke>> events[] = {
      {"\x1b[97u\x1b[97;1:2u\x1b[97;1:3u\x1b[27u",
       {{'A', 0, D}, {'A', 0, D}, {'A', 0, U}, {27, 0, D}}},
      {"\x1b[57441u\x1b[57447;2:3u\x1b[57448;5u\x1b[57443;1:3u",
       {{16, S, D}, {16, 0, U}, {17, C, D}, {18, 0, U}}},
      {"\x1b[99;5u\x1b[49;2u\x1b[97;201u\x1b[97;4u",
       {{'C', C, D}, {'1', S, D}, {'A', 0, D}, {'A', S | A, D}}},
      {"\x1b[64::91;2u\x1b[97::113u\x1b[64u\x1b[92u\x1b[97;256u\x1b[91u",
       {{192, S, D}, {'Q', 0, D}, {192, 0, D}, {220, 0, D}, {'A', S | C | A, D}, {192, 0, D}}},
      {"\x1b[A\x1b[1;1:3A\x1b[;5A\x1b[5;5~\x1b[13~",
       {{38, 0, D}, {38, 0, U}, {38, C, D}, {33, C, D}, {114, 0, D}}},
      {"\x1b[97;1:4u\x1b[97;1:0u\x1b[97;0u\x1b[97;257u\x1b[57500u\x1b[1:2A\x1b[97;1:3:1:1u"
       "\x1b[1;1;1;1~",
       {}},
  };
  for (const auto& [bytes, strokes] : events)
    EXPECT_EQ(decode(bytes, true), strokes) << testing::PrintToString(bytes);
  // Played by the typed character: the key's text, else its shifted or own
  // character, tapped on the press; keys that type nothing as themselves.
  EXPECT_EQ(
      decode("\x1b[50:64;2;64u\x1b[60;;60u\x1b[113::97;;113u\x1b[97;5u\x1b[97:65;2u"
             "\x1b[97;1:3u\x1b[57441;2u\x1b[353;;353u\x1b[57399;;48u\x1b[1;2D\x1b[1;2:3D"
             "\x1b[32;;32u\x1b[57417;3:2u",
             true, KeyModel::kTyped),
      (std::vector<KeyStroke>{
          {192, 0}, {188, S}, {'Q', 0}, {'A', C}, {'A', 0}, {'0', 0}, {37, S}, {32, 0}, {37, A}}));
  // Without it: xterm's modified keys, and keys in the protocol's form (as
  // tmux sends them) as taps; an event type alone is not a key.
  EXPECT_EQ(
      decode("\x1b[27;5;47~\x1b[27;3;57~\x1b[27;5;33~\x1b[27;5;13~\x1b[27;5;127~\x1b[27;5;200~"
             "\x1b[99;5u\x1b[97;1:3u\x1b[27;5;47:1~"),
      (std::vector<KeyStroke>{
          {191, C, T}, {'9', A, T}, {'1', S | C, T}, {13, C, T}, {8, C, T}, {'C', C, T}}));
  // The Shift that xterm reports with a character went into it (Shift+2 is
  // "@" on a US layout); a key that types none keeps it.
  EXPECT_EQ(decode("\x1b[27;2;64~\x1b[27;6;65~\x1b[27;2;13~"),
            (std::vector<KeyStroke>{{192, 0, T}, {'A', C, T}, {13, S, T}}));
  // The answers to the start-up questions are no keys: whether the protocol
  // is there, then the attributes, which end them.
  const std::tuple<const char*, bool, bool> answers[] = {
      {"\x1b[?62;22c", false, true},
      {"\x1b[?0u\x1b[?62c", true, true},
      {"\x1b[?1u", true, false},
      {"\x1b[?64;1;2;6;9;15;16;17;18;21;22;28c", false, true}};
  for (const auto& [bytes, offered, answered] : answers) {
    KeyDecoder decoder;
    std::vector<KeyStroke> out;
    decoder.feed(bytes, ms(0), out);
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(decoder.protocol_offered(), offered) << bytes;
    EXPECT_EQ(decoder.attributes_answered(), answered) << bytes;
  }
}

TEST(KittyKeysTest, KeysByNumberOrByTheirUsPosition) {
  // Keys that type nothing, by the protocol's numbers; 0 for none.
  const std::pair<int, KeyCode> numbers[] = {
      {9, 9},       {32, 32},     {13, 13},     {27, 27},     {127, 8},     {57358, 240},
      {57359, 145}, {57360, 144}, {57361, 44},  {57362, 19},  {57363, 93},  {57399, 96},
      {57408, 105}, {57409, 110}, {57410, 111}, {57411, 106}, {57412, 109}, {57413, 107},
      {57414, 13},  {57417, 37},  {57418, 39},  {57419, 38},  {57420, 40},  {57421, 33},
      {57422, 34},  {57423, 36},  {57424, 35},  {57425, 45},  {57426, 46},  {57427, 12},
      {57441, 16},  {57442, 17},  {57443, 18},  {57444, 91},  {57447, 16},  {57448, 17},
      {57449, 18},  {57450, 92},  {57398, 0},   {57428, 0},   {57451, 0},   {31, 0},
      {128, 0}};
  for (const auto& [number, key] : numbers)
    EXPECT_EQ(kitty_key(number, 0).value_or(KeyStroke{0, 0}).key, key) << number;
  EXPECT_EQ(kitty_key(57448, 0)->modifiers, kCtrlBit);
  EXPECT_EQ(kitty_key(57443, 0)->modifiers, kAltBit);
  // A US position wins over the character: "a" where "q" is on a US layout.
  const std::string_view us = "`10-=q[]a;'z,/\\";
  const KeyCode jis[] = {243, '1', '0', 189, 222, 'Q', 192, 219, 'A', 187, 186, 'Z', 188, 191, 221};
  for (std::size_t i = 0; i < us.size(); ++i)
    EXPECT_EQ(kitty_key('a', us[i])->key, jis[i]) << us[i];
  EXPECT_EQ(kitty_key('a', 'q' + 256)->key, 'A') << "no character of that number";
}

TEST(KeyDecoderTest, SplitReadsAndTheLoneEscWait) {
  KeyDecoder decoder;
  std::vector<KeyStroke> out;
  decoder.feed("\x1b[", ms(0), out);
  decoder.feed("5", ms(10), out);
  EXPECT_EQ(decoder.deadline(), ms(50));
  decoder.feed("~", ms(20), out);
  EXPECT_EQ(out, (std::vector<KeyStroke>{{33, 0}}));
  EXPECT_EQ(decoder.deadline(), std::nullopt);

  out.clear();
  decoder.feed("\x1b", ms(100), out);
  EXPECT_EQ(decoder.deadline(), ms(150));
  decoder.feed("[A", ms(150), out);  // at the deadline: too late to be one sequence
  EXPECT_EQ(out, (std::vector<KeyStroke>{{27, 0}, {219, 0}, {'A', 0}}));

  out.clear();
  decoder.feed("\x1b[1;", ms(200), out);
  decoder.expire(out);  // an unfinished sequence is dropped
  decoder.feed("5A", ms(300), out);
  decoder.feed("\x1b[" + std::string(40, '1'), ms(400), out);
  decoder.expire(out);  // an overlong one too, and the next is read afresh
  decoder.feed("\x1b[5~", ms(500), out);
  EXPECT_EQ(out, (std::vector<KeyStroke>{{'5', 0}, {'A', 0}, {33, 0}}));
}

TEST(KeyDecoderTest, ModifierKeysGoDownFirstAndUpLast) {
  // Each step as " +key/mask" for a key-down and " -key/mask" for a key-up.
  const auto steps = [](KeyStroke stroke) {
    std::string out;
    for (const KeyEventStep& step : key_events_for(stroke))
      out += (step.kind == KeyEventStep::Kind::kDown ? " +" : " -") + std::to_string(step.key) +
             "/" + std::to_string(step.modifiers);
    return out;
  };
  EXPECT_EQ(steps({186, kShiftBit | kCtrlBit | kAltBit}),
            " +16/1 +17/3 +18/7 +186/7 -186/7 -18/3 -17/1 -16/0");
  EXPECT_EQ(steps({'A', 0}), " +65/0 -65/0");
  EXPECT_EQ(steps({'A', kShiftBit, KeyAction::kUp}), " -65/1");
}

TEST(TerminalScreenTest, TheTitleIsTheTopLineInReverseVideoAndTheTerminalsOwn) {
  EXPECT_EQ(title_bar("A\x01\x7f@", 6), "\x1b[H\x1b[7m A@   \x1b[0m\x1b]2;A@\a");
  EXPECT_EQ(title_bar("SCORE 7", 4), "\x1b[H\x1b[7m SCO\x1b[0m\x1b]2;SCORE 7\a");
  EXPECT_EQ(title_bar("", 2), "\x1b[H\x1b[7m  \x1b[0m\x1b]2; \a") << "shown empty, not named";
}

}  // namespace
}  // namespace titletype
