// SPDX-License-Identifier: MIT
// Small helpers for reading the title and keeping the counts in range.
#pragma once

#include <cstdint>
#include <limits>
#include <string_view>

namespace titletype {

/// The first character of a title, or the empty text when it is empty.
inline std::string_view first_char(std::string_view title) { return title.substr(0, 1); }

/// Whether `first` is the character whose ASCII code is `code`. The empty
/// text is no character, and codes outside ASCII stand for none in a title.
inline bool is_char_of_code(std::string_view first, int code) {
  return first.size() == 1 && code >= 0 && code < 128 &&
         static_cast<unsigned char>(first[0]) == code;
}

/// Adds one to a count, which stays at 32767 once there: a score or rate
/// must never come from a count that wrapped to a negative value.
inline void count_one(int16_t& count) {
  if (count < std::numeric_limits<int16_t>::max()) ++count;
}

}  // namespace titletype
