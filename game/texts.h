// SPDX-License-Identifier: MIT
// What the game shows, in one place: every text it writes to the title
// besides strings of feed characters. The windows' width rules read them
// from here, so a changed text cannot leave them behind.
#pragma once

#include <cstddef>
#include <string_view>

namespace titletype {

inline constexpr std::string_view kPromptText = "Hit Space Key!!!";
inline constexpr std::string_view kScoreText = "SCORE ";   // and the score
inline constexpr std::string_view kRateText = "Success ";  // and the rate,
inline constexpr std::string_view kRateSuffix = "%";       // then this
inline constexpr std::string_view kQuestionText = "NEXT GAME?";
inline constexpr std::string_view kLegendText = "Y-SPACE N-Esc";

/// The longest target string that keeps a game going; one more ends it.
inline constexpr std::size_t kLongestTarget = 10;

}  // namespace titletype
