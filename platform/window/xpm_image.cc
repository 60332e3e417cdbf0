// SPDX-License-Identifier: MIT
#include "platform/window/xpm_image.h"

#include <array>
#include <charconv>
#include <string_view>

#include "assets/titletype_icon.xpm"

namespace titletype {

namespace {

std::optional<uint32_t> read_colour(std::string_view text) {
  if (text == "None" || text == "none") return 0u;
  if (text.size() != 7 || text[0] != '#') return std::nullopt;
  uint32_t rgb = 0;
  for (char c : text.substr(1)) {
    const int digit = c >= '0' && c <= '9'   ? c - '0'
                      : c >= 'A' && c <= 'F' ? c - 'A' + 10
                      : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                             : -1;
    if (digit < 0) return std::nullopt;
    rgb = rgb << 4 | static_cast<uint32_t>(digit);
  }
  return 0xff000000u | rgb;
}

/// The numbers of the header line "width height colours chars_per_pixel".
/// Read without sscanf, which alone would weigh more than the game in the
/// browser build.
std::optional<std::array<int, 4>> read_header(std::string_view text) {
  std::array<int, 4> numbers{};
  const char* at = text.data();
  const char* const end = at + text.size();
  for (int& number : numbers) {
    while (at < end && *at == ' ') ++at;
    const auto [next, error] = std::from_chars(at, end, number);
    if (error != std::errc()) return std::nullopt;
    at = next;
  }
  return numbers;
}

}  // namespace

std::optional<ArgbImage> read_xpm(std::span<const char* const> xpm) {
  const auto header = xpm.empty() ? std::nullopt : read_header(xpm[0]);
  if (!header) return std::nullopt;
  ArgbImage image;
  image.width = (*header)[0];
  image.height = (*header)[1];
  const int colours = (*header)[2];
  if ((*header)[3] != 1 || image.width <= 0 || image.height <= 0 || colours <= 0 ||
      image.width > 1024 || image.height > 1024 ||
      xpm.size() != 1 + static_cast<std::size_t>(colours + image.height)) {
    return std::nullopt;
  }

  std::array<std::optional<uint32_t>, 256> palette{};
  for (int i = 1; i <= colours; ++i) {
    const std::string_view line = xpm[i];
    if (line.size() < 5 || line.substr(1, 3) != " c ") return std::nullopt;
    const auto colour = read_colour(line.substr(4));
    if (!colour) return std::nullopt;
    palette[static_cast<unsigned char>(line[0])] = colour;
  }

  image.pixels.reserve(static_cast<std::size_t>(image.width) *
                       static_cast<std::size_t>(image.height));
  for (int y = 0; y < image.height; ++y) {
    const std::string_view row = xpm[1 + colours + y];
    if (row.size() != static_cast<std::size_t>(image.width)) return std::nullopt;
    for (char c : row) {
      const auto colour = palette[static_cast<unsigned char>(c)];
      if (!colour) return std::nullopt;
      image.pixels.push_back(*colour);
    }
  }
  return image;
}

const ArgbImage& window_icon() {
  // A broken icon source (the tests read it) leaves the window without one.
  static const ArgbImage icon = read_xpm(titletype_icon_xpm).value_or(ArgbImage{});
  return icon;
}

}  // namespace titletype
