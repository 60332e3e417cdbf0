// SPDX-License-Identifier: MIT
// A zlib stream (RFC 1950) of deflate data (RFC 1951) for the exported
// icons: one block of the fixed Huffman codes, with matches found by a hash
// chain. An enlarged pixel-art icon is nearly all repeats, which this takes
// to a few hundred bytes; a dynamic code would gain little more.
#pragma once

#include <cstdint>
#include <vector>

namespace titletype {

std::vector<uint8_t> zlib_compressed(const std::vector<uint8_t>& data);

}  // namespace titletype
