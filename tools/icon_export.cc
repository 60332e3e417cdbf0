// SPDX-License-Identifier: MIT
// Exports the window icon from its source in assets/ for installation: the
// 32 x 32 original as PNG, a scalable SVG that keeps its pixels square, and
// a Windows icon file (the original and a double-size copy) for the .exe.
// Usage: icon_export PNG_PATH SVG_PATH ICO_PATH
#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window/xpm_image.h"

namespace {

uint32_t crc32(const uint8_t* data, std::size_t size, uint32_t crc = 0) {
  crc = ~crc;
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

void put32(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

void chunk(std::vector<uint8_t>& png, const char* type, const std::vector<uint8_t>& data) {
  put32(png, static_cast<uint32_t>(data.size()));
  std::vector<uint8_t> body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  png.insert(png.end(), body.begin(), body.end());
  put32(png, crc32(body.data(), body.size()));
}

/// An RGBA PNG, its image data in stored (uncompressed) deflate blocks: the
/// icon is 4 kB either way.
std::vector<uint8_t> png_of(const titletype::ArgbImage& image) {
  std::vector<uint8_t> raw;
  for (int y = 0; y < image.height; ++y) {
    raw.push_back(0);  // no filter
    for (int x = 0; x < image.width; ++x) {
      const uint32_t argb = image.at(x, y);
      raw.insert(raw.end(), {static_cast<uint8_t>(argb >> 16), static_cast<uint8_t>(argb >> 8),
                             static_cast<uint8_t>(argb), static_cast<uint8_t>(argb >> 24)});
    }
  }
  std::vector<uint8_t> zlib{0x78, 0x01};
  for (std::size_t at = 0; at < raw.size(); at += 65535) {
    const auto size = static_cast<uint16_t>(std::min<std::size_t>(65535, raw.size() - at));
    zlib.push_back(at + size == raw.size() ? 1 : 0);
    zlib.insert(zlib.end(), {static_cast<uint8_t>(size), static_cast<uint8_t>(size >> 8),
                             static_cast<uint8_t>(~size), static_cast<uint8_t>(~size >> 8)});
    zlib.insert(zlib.end(), raw.begin() + static_cast<long>(at),
                raw.begin() + static_cast<long>(at + size));
  }
  uint32_t a = 1, b = 0;
  for (uint8_t byte : raw) a = (a + byte) % 65521, b = (b + a) % 65521;
  put32(zlib, b << 16 | a);

  std::vector<uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  std::vector<uint8_t> header;
  put32(header, static_cast<uint32_t>(image.width));
  put32(header, static_cast<uint32_t>(image.height));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA
  chunk(png, "IHDR", header);
  chunk(png, "IDAT", zlib);
  chunk(png, "IEND", {});
  return png;
}

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
  if (argc != 4) {
    std::fputs("usage: icon_export PNG_PATH SVG_PATH ICO_PATH\n", stderr);
    return 2;
  }
  const titletype::ArgbImage& icon = titletype::window_icon();
  if (icon.pixels.empty()) {
    std::fputs("icon_export: the icon source in assets/ is malformed\n", stderr);
    return 1;
  }
  const bool written = write_file(argv[1], png_of(icon)) && write_file(argv[2], svg_of(icon)) &&
                       write_file(argv[3], ico_of({icon, enlarged(icon, 2)}));
  return written ? 0 : 1;
}
