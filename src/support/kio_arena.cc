#include "support/kio_arena.h"

#include <cstdlib>
#include <cstring>

// The header in front of each block; the blocks form a list, newest first.
struct kio_Arena::Block {
  Block* previous;
};

namespace {

// Past this, blocks stop growing: a larger block would mostly stay unused.
constexpr std::size_t kLargestBlock = 256 * 1024;

// Where the usable bytes of a block start. malloc aligns a block for any
// object, and a header rounded up to that alignment keeps it so.
constexpr std::size_t kHeader =
    (sizeof(void*) + alignof(std::max_align_t) - 1) / alignof(std::max_align_t) *
    alignof(std::max_align_t);

}  // namespace

kio_Arena::kio_Arena(std::size_t firstBlock) : nextBlockSize(firstBlock > 0 ? firstBlock : 1) {}

kio_Arena::~kio_Arena() {
  while (newest != nullptr) {
    Block* previous = newest->previous;
    std::free(newest);
    newest = previous;
  }
}

char* kio_Arena::copy(const void* bytes, std::size_t length) {
  char* to = array<char>(length);
  if (length > 0) std::memcpy(to, bytes, length);
  return to;
}

void* kio_Arena::allocateInNewBlock(std::size_t size, std::size_t /*alignment*/) {
  const bool ownBlock = size > nextBlockSize;
  const std::size_t capacity = ownBlock ? size : nextBlockSize;
  if (capacity > static_cast<std::size_t>(-1) - kHeader) throw std::bad_alloc();
  void* memory = std::malloc(kHeader + capacity);
  if (memory == nullptr) throw std::bad_alloc();
  ++blocks;
  Block* block = static_cast<Block*>(memory);
  char* start = static_cast<char*>(memory) + kHeader;
  if (ownBlock && newest != nullptr) {
    // Behind the newest block, whose free bytes stay in use.
    block->previous = newest->previous;
    newest->previous = block;
    return start;
  }
  block->previous = newest;
  newest = block;
  next = start + size;
  end = start + capacity;
  if (!ownBlock && nextBlockSize < kLargestBlock) nextBlockSize *= 2;
  return start;
}
