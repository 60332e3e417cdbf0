// SPDX-License-Identifier: MIT
// The spoken name of each character the feed can bring, "!" to "Z": short,
// each unlike the others by ear (the radio alphabet for the letters, whose
// plain names B, C, D, E, G, P, T, V and Z rhyme), and naming punctuation
// that a screen reader's default level would leave unsaid.
#pragma once

#include <string_view>

namespace titletype {

/// The name of `c`; empty for a character the feed never brings.
std::string_view character_name(char c);

}  // namespace titletype
