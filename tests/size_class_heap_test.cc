// SPDX-License-Identifier: MIT
#include "platform/web/size_class_heap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace titletype {
namespace {

// The heap's fresh memory: a fixed arena, so that running out can be tested.
alignas(16) char arena[4096];
std::size_t used = 0;
void* from_arena(std::size_t bytes) {
  if (bytes > sizeof arena - used) return nullptr;
  used += bytes;
  return arena + used - bytes;
}

struct SizeClassHeapTest : testing::Test {
  void SetUp() override { used = 0; }
  SizeClassHeap heap{from_arena};
};

TEST_F(SizeClassHeapTest, BlocksAreAlignedApartAndAsLargeAsAsked) {
  char* blocks[5];
  const std::size_t sizes[5] = {0, 1, 16, 17, 200};
  for (int i = 0; i < 5; ++i) {
    blocks[i] = static_cast<char*>(heap.allocate(sizes[i]));
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(blocks[i]) % SizeClassHeap::kAlignment, 0u);
    std::memset(blocks[i], i, sizes[i]);
  }
  for (int i = 0; i < 5; ++i)
    for (std::size_t at = 0; at < sizes[i]; ++at) ASSERT_EQ(blocks[i][at], i) << i;
  EXPECT_EQ(used, 3 * (16 + 16) + (32 + 16) + (256 + 16));  // each with its header
}

TEST_F(SizeClassHeapTest, AFreedBlockServesTheNextRequestOfItsSizeOnly) {
  void* small = heap.allocate(20);
  heap.release(small);
  heap.release(nullptr);
  EXPECT_NE(heap.allocate(10), small);
  EXPECT_EQ(heap.allocate(32), small);
  EXPECT_NE(heap.allocate(32), small);
}

TEST_F(SizeClassHeapTest, ResizingKeepsTheContentsAndMovesOnlyWhenItMust) {
  auto* text = static_cast<char*>(heap.resize(nullptr, 6));
  std::memcpy(text, "hello", 6);
  EXPECT_EQ(heap.resize(text, 16), text);
  auto* moved = static_cast<char*>(heap.resize(text, 17));
  EXPECT_STREQ(moved, "hello");
  EXPECT_EQ(heap.allocate(16), text);  // the old block was freed
}

TEST_F(SizeClassHeapTest, RunningOutGivesNullAndLeavesTheBlockBe) {
  auto* block = static_cast<char*>(heap.allocate(1024));
  block[0] = 'x';
  EXPECT_EQ(heap.resize(block, 4096), nullptr);
  EXPECT_EQ(block[0], 'x');
  EXPECT_EQ(heap.allocate(SIZE_MAX), nullptr);
  EXPECT_NE(heap.allocate(2048), nullptr);
  EXPECT_EQ(heap.allocate(2048), nullptr);  // the arena is spent
}

}  // namespace
}  // namespace titletype
