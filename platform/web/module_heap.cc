// SPDX-License-Identifier: MIT
// malloc and its family for the page module, in place of the C library's:
// blocks from SizeClassHeap, its fresh memory from the end of the module's
// data, growing the linear memory a page at a time when it runs out.
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "platform/web/size_class_heap.h"

extern "C" unsigned char __heap_base;  // where the linker left room for the heap

namespace {

constexpr std::uintptr_t kPage = 65536;
std::uintptr_t heap_top = 0;  // the first byte not yet given out

void* grow_memory(std::size_t bytes) {
  if (!heap_top)
    heap_top = (reinterpret_cast<std::uintptr_t>(&__heap_base) + 15) & ~std::uintptr_t{15};
  const std::uintptr_t end = __builtin_wasm_memory_size(0) * kPage;
  if (bytes > UINTPTR_MAX - heap_top) return nullptr;
  if (heap_top + bytes > end) {
    const std::uintptr_t missing = heap_top + bytes - end;
    const std::uintptr_t pages = missing / kPage + (missing % kPage != 0);
    if (__builtin_wasm_memory_grow(0, pages) == SIZE_MAX) return nullptr;
  }
  void* fresh = reinterpret_cast<void*>(heap_top);
  heap_top += bytes;
  return fresh;
}

// Constant-initialised, so that it is ready for any constructor's malloc.
constinit titletype::SizeClassHeap heap{grow_memory};

void* out_of_memory() {
  errno = ENOMEM;
  return nullptr;
}

bool fits_alignment(std::size_t alignment) {
  return alignment && !(alignment & (alignment - 1)) &&
         alignment <= titletype::SizeClassHeap::kAlignment;
}

}  // namespace

extern "C" {

void* malloc(std::size_t size) {
  void* block = heap.allocate(size);
  return block ? block : out_of_memory();
}

void free(void* block) { heap.release(block); }

void* calloc(std::size_t count, std::size_t size) {
  if (size && count > SIZE_MAX / size) return out_of_memory();
  void* block = malloc(count * size);
  return block ? std::memset(block, 0, count * size) : nullptr;
}

void* realloc(void* block, std::size_t size) {
  void* moved = heap.resize(block, size);
  return moved ? moved : out_of_memory();
}

// Nothing here asks for more than 16-byte alignment; more is refused.
void* aligned_alloc(std::size_t alignment, std::size_t size) {
  if (!fits_alignment(alignment)) {
    errno = EINVAL;
    return nullptr;
  }
  return malloc(size);
}

int posix_memalign(void** block, std::size_t alignment, std::size_t size) {
  if (!fits_alignment(alignment) || alignment % sizeof(void*)) return EINVAL;
  *block = heap.allocate(size);
  return *block ? 0 : ENOMEM;
}

}  // extern "C"
