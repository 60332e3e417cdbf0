// SPDX-License-Identifier: MIT
#include "platform/terminal/csi_parameters.h"

#include <charconv>

namespace titletype {

std::optional<CsiParameters> parse_csi_parameters(std::string_view body) {
  CsiParameters numbers;
  std::size_t parameter = 0, part = 0, start = 0;
  for (std::size_t i = 0; i <= body.size(); ++i) {
    const char c = i < body.size() ? body[i] : ';';  // the body ends a parameter
    if (c >= '0' && c <= '9') continue;
    if ((c != ';' && c != ':') || parameter == 3 || part == 3) return std::nullopt;
    const char* first = body.data() + start;
    const char* last = body.data() + i;
    if (first != last && std::from_chars(first, last, numbers.at[parameter][part]).ptr != last) {
      return std::nullopt;  // too big for an int
    }
    if (c == ':') {
      numbers.has_parts[parameter] = true;
      ++part;
    } else {
      ++parameter;
      part = 0;
    }
    start = i + 1;
  }
  numbers.count = parameter;
  return numbers;
}

}  // namespace titletype
