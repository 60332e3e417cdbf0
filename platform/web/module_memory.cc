// SPDX-License-Identifier: MIT
// memcpy, memmove and memset for the page module, in place of the C
// library's loops: with bulk memory (in every browser since 2021) each is one
// instruction. Built apart from the rest, without link-time optimisation,
// for in that build the C library's errno would have to be thread-local.
#include <cstddef>

extern "C" {

void* memcpy(void* __restrict to, const void* __restrict from, std::size_t size) {
  __builtin_memcpy(to, from, size);
  return to;
}

void* memmove(void* to, const void* from, std::size_t size) {
  __builtin_memmove(to, from, size);
  return to;
}

void* memset(void* to, int byte, std::size_t size) {
  __builtin_memset(to, byte, size);
  return to;
}

}  // extern "C"
