// SPDX-License-Identifier: MIT
// Terminal bytes to the key strokes of a JIS keyboard.
#include "platform/terminal/key_decoder.h"

#include <gtest/gtest.h>

#include "tests/sim_game.h"

namespace titletype {

using namespace vk;

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

TEST(KeyDecoderTest, BytesAndSequencesToStrokes) {
  constexpr ModifierMask S = kShiftBit, C = kCtrlBit, A = kAltBit;
  const std::pair<std::string, std::vector<KeyStroke>> cases[] = {
      {"azZ", {{'A', 0}, {'Z', 0}, {'Z', 0}}},
      {"]}", {{kBracketClose, 0}, {kBracketClose, S}}},
      {":*@`", {{kColon, 0}, {kColon, S}, {kAt, 0}, {kAt, S}}},
      {"_\\|~", {{kRo, S}, {kYen, 0}, {kYen, S}, {kCaret, S}}},
      {" ", {{kSpace, 0}}},
      {"\x01\x03\x1a\x1c\x1d\x1e\x1f",
       {{'A', C}, {'C', C}, {'Z', C}, {kYen, C}, {kBracketClose, C}, {kCaret, C}, {kRo, C}}},
      {std::string("\t\r\n\x7f\x08\0", 6),
       {{kTab, 0}, {kEnter, 0}, {kEnter, 0}, {kBackspace, 0}, {kBackspace, 0}, {kSpace, C}}},
      {"\x1b", {{kEsc, 0}}},
      {"\x1b\x1b", {{kEsc, A}}},
      {"\x1b"
       "a\x1b:\x1b*\x1b\x01",
       {{'A', A}, {kColon, A}, {kColon, S | A}, {'A', C | A}}},
      {"\x1b[A\x1b[B\x1b[C\x1b[D\x1b[H\x1b[F",
       {{kUp, 0}, {kDown, 0}, {kRight, 0}, {kLeft, 0}, {kHome, 0}, {kEnd, 0}}},
      {"\x1bOA\x1bOH\x1bOP\x1bOQ\x1bOR\x1bOS",
       {{kUp, 0}, {kHome, 0}, {kF1, 0}, {kF1 + 1, 0}, {kF1 + 2, 0}, {kF1 + 3, 0}}},
      {"\x1bO1;2A", {{kSemicolon, 0}, {'2', 0}, {'A', 0}}},  // SS3 takes one byte only
      {"\x1b[1~\x1b[2~\x1b[3~\x1b[4~", {{kHome, 0}, {kInsert, 0}, {kDelete, 0}, {kEnd, 0}}},
      {"\x1b[5~\x1b[6~\x1b[7~\x1b[8~", {{kPageUp, 0}, {kPageDown, 0}, {kHome, 0}, {kEnd, 0}}},
      {"\x1b[11~\x1b[15~\x1b[17~\x1b[21~\x1b[23~\x1b[24~",
       {{kF1, 0}, {kF1 + 4, 0}, {kF1 + 5, 0}, {kF1 + 9, 0}, {kF1 + 10, 0}, {kF1 + 11, 0}}},
      {"\x1b[[A\x1b[[E\x1b[[FB", {{kF1, 0}, {kF1 + 4, 0}, {'B', 0}}},
      {"\x1b[1;2A\x1b[5;5~\x1b[1;3P\x1b[3;8~\x1b[1;16A",
       {{kUp, S}, {kPageUp, C}, {kF1, A}, {kDelete, S | C | A}, {kUp, S | C | A}}},
      // Malformed or unknown: dropped whole.
      {"\x1b[?25h\x1b[99~\x1b[1;2;3A\x1b[2;99~\x1b[5A\x1bOZ\x1b[x\x1b[1;0A\x1b[1;17A", {}},
      {"\x1b[ A\x1b[@\x1b[5?~", {}},
      {"\x1b[1[A", {{'A', 0}}},  // "[" ends it: after a parameter it is no F-key
      // Sequences up to 32 bytes long are read; longer ones are dropped.
      {"\x1b[" + std::string(29, '0') + "5~", {{kPageUp, 0}}},
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

// Every key of the window that a terminal sends as a sequence, as xterm
// sends it (where it can) and as the kitty protocol reports its press and
// release, with the code the window gives that key.
TEST(KeyDecoderTest, EveryKeyOfTheWindowThatATerminalSendsReachesTheGame) {
  struct Key {
    const char* name;
    KeyCode code;
    ModifierMask own;
    std::string xterm;  // empty: xterm cannot send it
    std::string kitty;  // its press
  };
  const Key keys[] = {
      {"Esc", 27, 0, "\x1b", "\x1b[27u"},
      {"F1", 112, 0, "\x1bOP", "\x1b[P"},
      {"F2", 113, 0, "\x1bOQ", "\x1b[Q"},
      {"F3", 114, 0, "\x1bOR", "\x1b[13~"},
      {"F4", 115, 0, "\x1bOS", "\x1b[S"},
      {"F5", 116, 0, "\x1b[15~", "\x1b[15~"},
      {"F6", 117, 0, "\x1b[17~", "\x1b[17~"},
      {"F7", 118, 0, "\x1b[18~", "\x1b[18~"},
      {"F8", 119, 0, "\x1b[19~", "\x1b[19~"},
      {"F9", 120, 0, "\x1b[20~", "\x1b[20~"},
      {"F10", 121, 0, "\x1b[21~", "\x1b[21~"},
      {"F11", 122, 0, "\x1b[23~", "\x1b[23~"},
      {"F12", 123, 0, "\x1b[24~", "\x1b[24~"},
      {"Tab", 9, 0, "\t", "\x1b[9u"},
      {"Enter", 13, 0, "\r", "\x1b[13u"},
      {"Backspace", 8, 0, "\x7f", "\x1b[127u"},
      {"Space", 32, 0, " ", "\x1b[32u"},
      {"Insert", 45, 0, "\x1b[2~", "\x1b[2~"},
      {"Delete", 46, 0, "\x1b[3~", "\x1b[3~"},
      {"Home", 36, 0, "\x1b[H", "\x1b[H"},
      {"End", 35, 0, "\x1b[F", "\x1b[F"},
      {"Page Up", 33, 0, "\x1b[5~", "\x1b[5~"},
      {"Page Down", 34, 0, "\x1b[6~", "\x1b[6~"},
      {"Left", 37, 0, "\x1b[D", "\x1b[D"},
      {"Up", 38, 0, "\x1b[A", "\x1b[A"},
      {"Right", 39, 0, "\x1b[C", "\x1b[C"},
      {"Down", 40, 0, "\x1b[B", "\x1b[B"},
      {"keypad Begin", 12, 0, "\x1b[E", "\x1b[E"},
      {"keypad Begin (application)", 12, 0, "\x1bOE", "\x1b[57427u"},
      {"Shift", 16, kShiftBit, "", "\x1b[57441u"},
      {"right Shift", 16, kShiftBit, "", "\x1b[57447u"},
      {"Ctrl", 17, kCtrlBit, "", "\x1b[57442u"},
      {"Alt", 18, kAltBit, "", "\x1b[57443u"},
      {"Windows", 91, 0, "", "\x1b[57444u"},
      {"right Windows", 92, 0, "", "\x1b[57450u"},
      {"Menu", 93, 0, "", "\x1b[57363u"},
      {"Caps Lock", 240, 0, "", "\x1b[57358u"},
      {"Num Lock", 144, 0, "", "\x1b[57360u"},
      {"Scroll Lock", 145, 0, "", "\x1b[57359u"},
      {"Print Screen", 44, 0, "", "\x1b[57361u"},
      {"Pause", 19, 0, "", "\x1b[57362u"},
      {"keypad 0", 96, 0, "", "\x1b[57399u"},
      {"keypad 9", 105, 0, "", "\x1b[57408u"},
      {"keypad .", 110, 0, "", "\x1b[57409u"},
      {"keypad /", 111, 0, "", "\x1b[57410u"},
      {"keypad *", 106, 0, "", "\x1b[57411u"},
      {"keypad -", 109, 0, "", "\x1b[57412u"},
      {"keypad +", 107, 0, "", "\x1b[57413u"},
      {"keypad Enter", 13, 0, "", "\x1b[57414u"},
      {"keypad Left", 37, 0, "", "\x1b[57417u"},
      {"keypad Insert", 45, 0, "", "\x1b[57425u"},
  };
  for (const Key& key : keys) {
    if (!key.xterm.empty()) {
      EXPECT_EQ(decode(key.xterm), (std::vector<KeyStroke>{{key.code, 0}})) << key.name;
    }
    // The release: the event type after the modifiers, which a letter's
    // sequence needs a first parameter for.
    std::string release = key.kitty;
    const char final = release.back();
    release.pop_back();
    release += (release.size() == 2 ? "1" : "") + std::string(";1:3") + final;
    EXPECT_EQ(decode(key.kitty + release, true),
              (std::vector<KeyStroke>{{key.code, key.own, KeyAction::kDown},
                                      {key.code, 0, KeyAction::kUp}}))
        << key.name;
  }
}

TEST(KeyDecoderTest, ReportedKeyEventsAndModifiedKeys) {
  constexpr ModifierMask S = kShiftBit, C = kCtrlBit, A = kAltBit;
  constexpr KeyAction D = KeyAction::kDown, U = KeyAction::kUp, T = KeyAction::kTap;
  // Once the kitty protocol is on: presses and repeats, releases, lone
  // modifiers with their own bit, keys by their US position where given.
  const std::pair<std::string, std::vector<KeyStroke>> events[] = {
      {"\x1b[97u\x1b[97;1:2u\x1b[97;1:3u\x1b[27u",
       {{'A', 0, D}, {'A', 0, D}, {'A', 0, U}, {kEsc, 0, D}}},
      {"\x1b[57441u\x1b[57447;2:3u\x1b[57448;5u\x1b[57443;1:3u",
       {{kShift, S, D}, {kShift, 0, U}, {kCtrl, C, D}, {kAlt, 0, U}}},
      {"\x1b[99;5u\x1b[49;2u\x1b[97;201u\x1b[97;4u",
       {{'C', C, D}, {'1', S, D}, {'A', 0, D}, {'A', S | A, D}}},
      {"\x1b[64::91;2u\x1b[97::113u\x1b[64u\x1b[92u\x1b[97;256u\x1b[91u",
       {{kAt, S, D}, {'Q', 0, D}, {kAt, 0, D}, {kYen, 0, D}, {'A', S | C | A, D}, {kAt, 0, D}}},
      {"\x1b[A\x1b[1;1:3A\x1b[;5A\x1b[5;5~\x1b[13~",
       {{kUp, 0, D}, {kUp, 0, U}, {kUp, C, D}, {kPageUp, C, D}, {kF1 + 2, 0, D}}},
      {"\x1b[97;1:4u\x1b[97;1:0u\x1b[97;0u\x1b[97;257u\x1b[57500u\x1b[1:2A\x1b[97;1:3:1:1u"
       "\x1b[1;1;1;1~",
       {}},
  };
  for (const auto& [bytes, strokes] : events)
    EXPECT_EQ(decode(bytes, true), strokes) << testing::PrintToString(bytes);
  // Played by the typed character: the key's text, else its shifted or own
  // character, tapped on the press; keys that type nothing as themselves.
  EXPECT_EQ(decode("\x1b[50:64;2;64u\x1b[60;;60u\x1b[113::97;;113u\x1b[97;5u\x1b[97:65;2u"
                   "\x1b[97;1:3u\x1b[57441;2u\x1b[353;;353u\x1b[57399;;48u\x1b[1;2D\x1b[1;2:3D"
                   "\x1b[32;;32u\x1b[57417;3:2u",
                   true, KeyModel::kTyped),
            // clang-format off
            (std::vector<KeyStroke>{{kAt, 0}, {kComma, S}, {'Q', 0}, {'A', C}, {'A', 0}, {'0', 0},
                                    {kLeft, S}, {kSpace, 0}, {kLeft, A}}));
  // clang-format on
  // Without it: xterm's modified keys, and keys in the protocol's form (as
  // tmux sends them) as taps; an event type alone is not a key.
  EXPECT_EQ(
      decode("\x1b[27;5;47~\x1b[27;3;57~\x1b[27;5;33~\x1b[27;5;13~\x1b[27;5;127~\x1b[27;5;200~"
             "\x1b[99;5u\x1b[97;1:3u\x1b[27;5;47:1~"),
      // clang-format off
      (std::vector<KeyStroke>{{kSlash, C, T}, {'9', A, T}, {'1', S | C, T}, {kEnter, C, T},
                              {kBackspace, C, T}, {'C', C, T}}));
  // clang-format on
  // The Shift that xterm reports with a character went into it (Shift+2 is
  // "@" on a US layout); a key that types none keeps it.
  EXPECT_EQ(decode("\x1b[27;2;64~\x1b[27;6;65~\x1b[27;2;13~"),
            (std::vector<KeyStroke>{{kAt, 0, T}, {'A', C, T}, {kEnter, S, T}}));
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

TEST(KeyDecoderTest, SplitReadsAndTheLoneEscWait) {
  KeyDecoder decoder;
  std::vector<KeyStroke> out;
  decoder.feed("\x1b[", ms(0), out);
  decoder.feed("5", ms(10), out);
  EXPECT_EQ(decoder.deadline(), ms(50));
  decoder.feed("~", ms(20), out);
  EXPECT_EQ(out, (std::vector<KeyStroke>{{kPageUp, 0}}));
  EXPECT_EQ(decoder.deadline(), std::nullopt);

  out.clear();
  decoder.feed("\x1b", ms(100), out);
  EXPECT_EQ(decoder.deadline(), ms(150));
  decoder.feed("[A", ms(150), out);  // at the deadline: too late to be one sequence
  EXPECT_EQ(out, (std::vector<KeyStroke>{{kEsc, 0}, {kBracketOpen, 0}, {'A', 0}}));

  out.clear();
  decoder.feed("\x1b[1;", ms(200), out);
  decoder.expire(out);  // an unfinished sequence is dropped
  decoder.feed("5A", ms(300), out);
  decoder.feed("\x1b[" + std::string(40, '1'), ms(400), out);
  decoder.expire(out);  // an overlong one too, and the next is read afresh
  decoder.feed("\x1b[5~", ms(500), out);
  EXPECT_EQ(out, (std::vector<KeyStroke>{{'5', 0}, {'A', 0}, {kPageUp, 0}}));

  // An ESC that breaks off a sequence begins its own wait, in the same read
  // or a later one: it is no lone Esc until then.
  for (const char* read : {"\x1b[1\x1b", "\x1b[1"}) {
    KeyDecoder fresh;
    out.clear();
    fresh.feed(read, ms(600), out);
    if (std::string_view(read).size() == 3) fresh.feed("\x1b", ms(640), out);
    EXPECT_EQ(fresh.deadline(), ms(std::string_view(read).size() == 3 ? 690 : 650))
        << testing::PrintToString(read);
  }
}

}  // namespace
}  // namespace titletype
