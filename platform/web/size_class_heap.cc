// SPDX-License-Identifier: MIT
#include "platform/web/size_class_heap.h"

#include <cstring>
#include <new>

namespace titletype {

namespace {

// Each block is preceded by a header of one alignment unit that holds its
// size class; class c holds 16 << c bytes.
constexpr std::size_t kHeader = SizeClassHeap::kAlignment;

std::size_t class_bytes(int size_class) { return SizeClassHeap::kAlignment << size_class; }

int& class_of(void* block) { return *reinterpret_cast<int*>(static_cast<char*>(block) - kHeader); }

}  // namespace

void* SizeClassHeap::allocate(std::size_t size) {
  int size_class = 0;
  while (class_bytes(size_class) < size) {
    if (++size_class == kClasses) return nullptr;
  }
  if (FreeBlock* block = free_[size_class]) {
    free_[size_class] = block->next;
    return block;
  }
  char* fresh = static_cast<char*>(grow_(kHeader + class_bytes(size_class)));
  if (!fresh) return nullptr;
  void* block = fresh + kHeader;
  class_of(block) = size_class;
  return block;
}

void SizeClassHeap::release(void* block) {
  if (!block) return;
  const int size_class = class_of(block);
  free_[size_class] = new (block) FreeBlock{free_[size_class]};
}

void* SizeClassHeap::resize(void* block, std::size_t size) {
  if (!block) return allocate(size);
  const std::size_t room = class_bytes(class_of(block));
  if (size <= room) return block;
  void* moved = allocate(size);
  if (!moved) return nullptr;  // the old block stays, as realloc leaves it
  std::memcpy(moved, block, room);
  release(block);
  return moved;
}

}  // namespace titletype
