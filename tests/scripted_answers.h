// SPDX-License-Identifier: MIT
// The rand_unit answers that make the game show chosen characters, for tests
// that script its random source.
#pragma once

namespace titletype {

/// The answer that starts a game with `c` ("@" to "Y").
inline double starts_with(char c) { return (c - '@' + 0.5) / 26; }
/// The answer that makes the feed append `c` ("!" to "Z").
inline double feeds(char c) { return (c - '!' + 0.5) / 58; }

}  // namespace titletype
