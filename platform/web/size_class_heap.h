// SPDX-License-Identifier: MIT
// The page module's heap. The game allocates a few strings and a small
// queue, so a general-purpose allocator is mostly weight in a module the
// page must read before it takes a key: here every block is a power of two
// from 16 bytes, and a freed block waits on its size's list for the next
// request of that size. Memory is never given back, as WebAssembly's
// cannot be.
#pragma once

#include <cstddef>

namespace titletype {

class SizeClassHeap {
 public:
  /// Fresh memory: `bytes` more, 16-byte aligned, or nullptr when none is left.
  using Grow = void* (*)(std::size_t bytes);
  /// Every block is aligned to this.
  static constexpr std::size_t kAlignment = 16;

  constexpr explicit SizeClassHeap(Grow grow) : grow_(grow) {}

  /// A block of at least `size` bytes, or nullptr.
  void* allocate(std::size_t size);
  /// Makes `block` (from allocate, or nullptr) free for reuse.
  void release(void* block);
  /// `block` with room for `size` bytes and its contents kept, as realloc.
  void* resize(void* block, std::size_t size);

 private:
  static constexpr int kClasses = 27;  // 16 bytes to 1 GiB
  struct FreeBlock {
    FreeBlock* next;
  };
  Grow grow_;
  FreeBlock* free_[kClasses] = {};
};

}  // namespace titletype
