// SPDX-License-Identifier: MIT
#include "tools/png_image.h"

#include <algorithm>
#include <string_view>

#include "tools/zlib_stream.h"

namespace titletype {

namespace {

uint32_t crc32(const std::vector<uint8_t>& data) {
  uint32_t crc = ~0u;
  for (uint8_t byte : data) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

void put32(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

void chunk(std::vector<uint8_t>& png, std::string_view type, const std::vector<uint8_t>& data) {
  put32(png, static_cast<uint32_t>(data.size()));
  std::vector<uint8_t> body(type.begin(), type.end());
  body.insert(body.end(), data.begin(), data.end());
  png.insert(png.end(), body.begin(), body.end());
  put32(png, crc32(body));
}

/// The rows, each after its filter byte (none), as RGBA.
std::vector<uint8_t> rgba_rows(const ArgbImage& image) {
  std::vector<uint8_t> rows;
  for (int y = 0; y < image.height; ++y) {
    rows.push_back(0);
    for (int x = 0; x < image.width; ++x) {
      const uint32_t argb = image.at(x, y);
      rows.insert(rows.end(), {static_cast<uint8_t>(argb >> 16), static_cast<uint8_t>(argb >> 8),
                               static_cast<uint8_t>(argb), static_cast<uint8_t>(argb >> 24)});
    }
  }
  return rows;
}

/// The rows, each after its filter byte (none), as indices into `palette`
/// of `depth` bits, packed from the highest bit of each byte.
std::vector<uint8_t> indexed_rows(const ArgbImage& image, const std::vector<uint32_t>& palette,
                                  int depth) {
  std::vector<uint8_t> rows;
  for (int y = 0; y < image.height; ++y) {
    rows.push_back(0);
    int used = 8;
    for (int x = 0; x < image.width; ++x) {
      if (used == 8) rows.push_back(0), used = 0;
      const auto index =
          std::find(palette.begin(), palette.end(), image.at(x, y)) - palette.begin();
      used += depth;
      rows.back() = static_cast<uint8_t>(rows.back() | index << (8 - used));
    }
  }
  return rows;
}

}  // namespace

std::vector<uint8_t> png_of(const ArgbImage& image) {
  std::vector<uint32_t> palette;
  for (uint32_t argb : image.pixels) {
    if (std::find(palette.begin(), palette.end(), argb) == palette.end()) palette.push_back(argb);
  }
  const bool indexed = palette.size() <= 256;
  int depth = 8;
  while (indexed && depth > 1 && palette.size() <= 1u << depth / 2) depth /= 2;

  std::vector<uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  std::vector<uint8_t> header;
  put32(header, static_cast<uint32_t>(image.width));
  put32(header, static_cast<uint32_t>(image.height));
  header.insert(header.end(),
                {static_cast<uint8_t>(depth), static_cast<uint8_t>(indexed ? 3 : 6), 0, 0,
                 0});  // palette or RGBA; deflate, no filter choice, no interlace
  chunk(png, "IHDR", header);
  if (indexed) {
    std::vector<uint8_t> colours, alphas;
    for (uint32_t argb : palette) {
      colours.insert(colours.end(), {static_cast<uint8_t>(argb >> 16),
                                     static_cast<uint8_t>(argb >> 8), static_cast<uint8_t>(argb)});
      alphas.push_back(static_cast<uint8_t>(argb >> 24));
    }
    chunk(png, "PLTE", colours);
    chunk(png, "tRNS", alphas);
  }
  chunk(png, "IDAT",
        zlib_compressed(indexed ? indexed_rows(image, palette, depth) : rgba_rows(image)));
  chunk(png, "IEND", {});
  return png;
}

}  // namespace titletype
