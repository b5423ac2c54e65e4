#include "support/kio_arena.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

bool alignedTo(const void* p, std::size_t alignment) {
  return reinterpret_cast<std::uintptr_t>(p) % alignment == 0;
}

TEST(KioArena, EveryAllocationKeepsItsAlignment) {
  kio_Arena arena(64);
  const std::size_t alignments[] = {1, 2, 4, 8, alignof(std::max_align_t)};
  for (int round = 0; round < 200; ++round) {
    for (const std::size_t alignment : alignments) {
      const std::size_t size = 1 + static_cast<std::size_t>(round) % 13;
      EXPECT_TRUE(alignedTo(arena.allocate(size, alignment), alignment))
          << "size " << size << " alignment " << alignment;
    }
  }
}

// Many allocations across many blocks: each keeps what was written to it.
TEST(KioArena, AllocationsNeverOverlap) {
  kio_Arena arena(32);
  std::vector<std::pair<unsigned char*, std::size_t>> blocks;
  for (std::size_t i = 0; i < 5000; ++i) {
    const std::size_t size = 1 + i % 97;
    auto* p = static_cast<unsigned char*>(arena.allocate(size, 1 + i % 2));
    std::memset(p, static_cast<int>(i & 0xFF), size);
    blocks.emplace_back(p, size);
  }
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    for (std::size_t k = 0; k < blocks[i].second; ++k) {
      ASSERT_EQ(blocks[i].first[k], i & 0xFF) << "allocation " << i << " byte " << k;
    }
  }
  EXPECT_GT(arena.numberOfBlocks(), 1u);
}

TEST(KioArena, LargeRequestGetsABlockOfItsOwnAndTheCurrentOneGoesOn) {
  kio_Arena arena(1024);
  auto* first = static_cast<char*>(arena.allocate(16, 1));
  ASSERT_EQ(arena.numberOfBlocks(), 1u);
  void* large = arena.allocate(100000, 8);
  EXPECT_TRUE(alignedTo(large, 8));
  EXPECT_EQ(arena.numberOfBlocks(), 2u);
  std::memset(large, 0xAB, 100000);
  auto* next = static_cast<char*>(arena.allocate(16, 1));
  EXPECT_EQ(next, first + 16);
  EXPECT_EQ(arena.numberOfBlocks(), 2u);
}

TEST(KioArena, NothingAskedForIsStillAPlace) {
  kio_Arena arena;
  EXPECT_NE(arena.allocate(0, 1), nullptr);
  EXPECT_NE(arena.copy("", 0), nullptr);
}

}  // namespace
