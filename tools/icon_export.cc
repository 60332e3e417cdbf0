// SPDX-License-Identifier: MIT
// Exports the window icon from its source in assets/ for installation: the
// 32 x 32 original as PNG, a scalable SVG that keeps its pixels square, and
// a Windows icon file (the original and a double-size copy) for the .exe;
// or, for the browser page, one PNG enlarged to a multiple of its size.
// Usage: icon_export PNG_PATH SVG_PATH ICO_PATH
//        icon_export --png SIZE PNG_PATH
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window/xpm_image.h"
#include "tools/png_image.h"

namespace {

std::string svg_of(const titletype::ArgbImage& image) {
  std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " +
                    std::to_string(image.width) + " " + std::to_string(image.height) +
                    "\" shape-rendering=\"crispEdges\">\n";
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const uint32_t argb = image.at(x, y);
      if (argb >> 24 == 0) continue;
      char rect[96];
      std::snprintf(rect, sizeof rect,
                    "<rect x=\"%d\" y=\"%d\" width=\"1\" height=\"1\" fill=\"#%06x\"/>\n", x, y,
                    argb & 0xffffff);
      svg += rect;
    }
  }
  return svg + "</svg>\n";
}

void put_le(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

/// `image` with each pixel made a `factor` x `factor` square.
titletype::ArgbImage enlarged(const titletype::ArgbImage& image, int factor) {
  titletype::ArgbImage big{image.width * factor, image.height * factor, {}};
  for (int y = 0; y < big.height; ++y) {
    for (int x = 0; x < big.width; ++x) big.pixels.push_back(image.at(x / factor, y / factor));
  }
  return big;
}

/// One icon image as Windows stores it: a bitmap header of twice the
/// height, the colour rows bottom-up in BGRA, then the transparency mask
/// (one bit a pixel, set where transparent, rows padded to 4 bytes).
std::vector<uint8_t> icon_bitmap_of(const titletype::ArgbImage& image) {
  const auto width = static_cast<uint32_t>(image.width);
  const auto height = static_cast<uint32_t>(image.height);
  const uint32_t mask_row = (width + 31) / 32 * 4;
  std::vector<uint8_t> out;
  for (uint32_t value : {40u, width, 2 * height}) put_le(out, value, 4);
  put_le(out, 1, 2);   // planes
  put_le(out, 32, 2);  // bits a pixel
  for (uint32_t value : {0u, width * height * 4 + mask_row * height, 0u, 0u, 0u, 0u}) {
    put_le(out, value, 4);
  }
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) put_le(out, image.at(x, y), 4);
  }
  for (int y = image.height - 1; y >= 0; --y) {
    std::vector<uint8_t> row(mask_row, 0);
    for (int x = 0; x < image.width; ++x) {
      if (image.at(x, y) >> 24 == 0) row[static_cast<std::size_t>(x / 8)] |= 0x80 >> (x % 8);
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

std::vector<uint8_t> ico_of(const std::vector<titletype::ArgbImage>& images) {
  std::vector<uint8_t> ico;
  put_le(ico, 0, 2);  // reserved
  put_le(ico, 1, 2);  // an icon, not a cursor
  put_le(ico, static_cast<uint32_t>(images.size()), 2);
  auto offset = static_cast<uint32_t>(6 + 16 * images.size());
  std::vector<uint8_t> data;
  for (const auto& image : images) {
    const std::vector<uint8_t> bitmap = icon_bitmap_of(image);
    ico.push_back(static_cast<uint8_t>(image.width));  // 0 would mean 256
    ico.push_back(static_cast<uint8_t>(image.height));
    put_le(ico, 0, 2);   // no palette, reserved
    put_le(ico, 1, 2);   // planes
    put_le(ico, 32, 2);  // bits a pixel
    put_le(ico, static_cast<uint32_t>(bitmap.size()), 4);
    put_le(ico, offset, 4);
    offset += static_cast<uint32_t>(bitmap.size());
    data.insert(data.end(), bitmap.begin(), bitmap.end());
  }
  ico.insert(ico.end(), data.begin(), data.end());
  return ico;
}

bool write_file(const char* path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (out) return true;
  std::fprintf(stderr, "icon_export: cannot write %s\n", path);
  return false;
}

bool write_file(const char* path, const std::vector<uint8_t>& bytes) {
  return write_file(path,
                    std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view mode = argc > 1 ? argv[1] : "";
  const titletype::ArgbImage& icon = titletype::window_icon();
  if (icon.pixels.empty()) {
    std::fputs("icon_export: the icon source in assets/ is malformed\n", stderr);
    return 1;
  }
  char* end = nullptr;
  const long size = argc == 4 && mode == "--png" ? std::strtol(argv[2], &end, 10) : 0;
  if (mode == "--png" ? size <= 0 || *end || size % icon.width != 0 || size > 4096 : argc != 4) {
    std::fprintf(stderr,
                 "usage: icon_export PNG_PATH SVG_PATH ICO_PATH\n"
                 "       icon_export --png SIZE PNG_PATH  (SIZE a multiple of %d)\n",
                 icon.width);
    return 2;
  }
  if (size) {
    const auto factor = static_cast<int>(size / icon.width);
    return write_file(argv[3], titletype::png_of(enlarged(icon, factor))) ? 0 : 1;
  }
  const bool written = write_file(argv[1], titletype::png_of(icon)) &&
                       write_file(argv[2], svg_of(icon)) &&
                       write_file(argv[3], ico_of({icon, enlarged(icon, 2)}));
  return written ? 0 : 1;
}
