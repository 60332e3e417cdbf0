// SPDX-License-Identifier: MIT
#include "tools/zlib_stream.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <utility>

namespace titletype {

namespace {

constexpr std::size_t kMinMatch = 3;
constexpr std::size_t kMaxMatch = 258;
constexpr std::size_t kWindow = 32768;
constexpr int kChainLimit = 256;  // candidates tried for each match

// The first length (codes 257...) and distance (codes 0...) of each code.
constexpr std::array<int, 29> kLengthBase{3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                          15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                          67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> kLengthExtra{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                           2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<int, 30> kDistanceBase{
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};

class BitWriter {
 public:
  /// After `head`, which is whole bytes.
  explicit BitWriter(std::vector<uint8_t> head)
      : bytes_(std::move(head)), used_(8 * bytes_.size()) {}
  /// `count` bits of `value`, lowest first, as deflate packs its extra bits.
  void bits(uint32_t value, int count) {
    for (int i = 0; i < count; ++i) bit((value >> i) & 1);
  }
  /// A Huffman code of `length` bits: deflate packs these highest first.
  void code(uint32_t value, int length) {
    for (int i = length - 1; i >= 0; --i) bit((value >> i) & 1);
  }
  std::vector<uint8_t> finish() { return std::move(bytes_); }

 private:
  void bit(uint32_t b) {
    if (used_ % 8 == 0) bytes_.push_back(0);
    bytes_.back() = static_cast<uint8_t>(bytes_.back() | b << (used_ % 8));
    ++used_;
  }
  std::vector<uint8_t> bytes_;
  std::size_t used_;
};

/// A literal byte or an end of block (256) or a length code, in the fixed code.
void symbol(BitWriter& out, int value) {
  if (value < 144)
    out.code(static_cast<uint32_t>(0x30 + value), 8);
  else if (value < 256)
    out.code(static_cast<uint32_t>(0x190 + value - 144), 9);
  else if (value < 280)
    out.code(static_cast<uint32_t>(value - 256), 7);
  else
    out.code(static_cast<uint32_t>(0xc0 + value - 280), 8);
}

void match(BitWriter& out, int length, int distance) {
  const int l = static_cast<int>(std::upper_bound(kLengthBase.begin(), kLengthBase.end(), length) -
                                 kLengthBase.begin()) -
                1;
  symbol(out, 257 + l);
  out.bits(static_cast<uint32_t>(length - kLengthBase[l]), kLengthExtra[l]);
  const int d =
      static_cast<int>(std::upper_bound(kDistanceBase.begin(), kDistanceBase.end(), distance) -
                       kDistanceBase.begin()) -
      1;
  out.code(static_cast<uint32_t>(d), 5);
  out.bits(static_cast<uint32_t>(distance - kDistanceBase[d]), std::max(0, d / 2 - 1));
}

uint32_t hash_at(const std::vector<uint8_t>& data, std::size_t at) {
  return (data[at] << 10 ^ data[at + 1] << 5 ^ data[at + 2]) & 0x7fff;
}

void put_be32(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

}  // namespace

std::vector<uint8_t> zlib_compressed(const std::vector<uint8_t>& data) {
  BitWriter out({0x78, 0x01});  // deflate, 32 KB window, no dictionary
  out.bits(1, 1);               // the last block
  out.bits(1, 2);               // of fixed Huffman codes
  // Each position's earlier position of the same hash, most recent first.
  std::vector<int> head(0x8000, -1);
  std::vector<int> previous(data.size(), -1);
  const auto insert = [&](std::size_t at) {
    if (at + kMinMatch > data.size()) return;
    const uint32_t h = hash_at(data, at);
    previous[at] = head[h];
    head[h] = static_cast<int>(at);
  };
  for (std::size_t at = 0; at < data.size();) {
    std::size_t best = 0, best_distance = 0;
    if (at + kMinMatch <= data.size()) {
      const std::size_t limit = std::min(kMaxMatch, data.size() - at);
      int tries = kChainLimit;
      for (int from = head[hash_at(data, at)]; from >= 0 && tries-- > 0; from = previous[from]) {
        const auto start = static_cast<std::size_t>(from);
        if (at - start > kWindow) break;
        std::size_t length = 0;
        while (length < limit && data[start + length] == data[at + length]) ++length;
        if (length > best) best = length, best_distance = at - start;
        if (best == limit) break;
      }
    }
    if (best >= kMinMatch) {
      match(out, static_cast<int>(best), static_cast<int>(best_distance));
      for (std::size_t i = 0; i < best; ++i) insert(at + i);
      at += best;
    } else {
      symbol(out, data[at]);
      insert(at++);
    }
  }
  symbol(out, 256);

  std::vector<uint8_t> zlib = out.finish();
  uint32_t a = 1, b = 0;
  for (uint8_t byte : data) a = (a + byte) % 65521, b = (b + a) % 65521;
  put_be32(zlib, b << 16 | a);
  return zlib;
}

}  // namespace titletype
