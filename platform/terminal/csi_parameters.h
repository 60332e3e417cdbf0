// SPDX-License-Identifier: MIT
// The parameters of a CSI escape sequence, the bytes between "ESC [" and
// its final byte: up to three numbers split by ";", each with up to three
// parts split by ":" (the kitty protocol's key:shifted:base). What they mean
// is for key_sequences.h to say.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace titletype {

struct CsiParameters {
  static constexpr int kEmpty = -1;
  std::array<std::array<int, 3>, 3> at{
      {{kEmpty, kEmpty, kEmpty}, {kEmpty, kEmpty, kEmpty}, {kEmpty, kEmpty, kEmpty}}};
  std::size_t count = 0;  // parameters
  std::array<bool, 3> has_parts{};
  /// The part's number, or `empty` where it was left out.
  int get(std::size_t parameter, std::size_t part, int empty) const {
    return at[parameter][part] == kEmpty ? empty : at[parameter][part];
  }
};

/// Nothing for anything else: other bytes, too many parameters or parts, a
/// number too big for an int.
std::optional<CsiParameters> parse_csi_parameters(std::string_view body);

}  // namespace titletype
