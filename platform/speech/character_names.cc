// SPDX-License-Identifier: MIT
#include "platform/speech/character_names.h"

#include <array>

namespace titletype {

namespace {

// "!" (33) to "Z" (90), in order.
constexpr std::array<std::string_view, 58> kNames = {
    "bang",   "quote",   "pound",     "dollar", "percent", "ampersand", "apostrophe", "open",
    "close",  "star",    "plus",      "comma",  "dash",    "dot",       "slash",      "zero",
    "one",    "two",     "three",     "four",   "five",    "six",       "seven",      "eight",
    "nine",   "colon",   "semicolon", "less",   "equals",  "greater",   "question",   "at",
    "alfa",   "bravo",   "charlie",   "delta",  "echo",    "foxtrot",   "golf",       "hotel",
    "india",  "juliett", "kilo",      "lima",   "mike",    "november",  "oscar",      "papa",
    "quebec", "romeo",   "sierra",    "tango",  "uniform", "victor",    "whiskey",    "x-ray",
    "yankee", "zulu"};

}  // namespace

std::string_view character_name(char c) {
  return c >= '!' && c <= 'Z' ? kNames[static_cast<std::size_t>(c - '!')] : std::string_view();
}

}  // namespace titletype
