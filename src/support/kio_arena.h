// Memory for many small objects that all end together: handed out from
// large blocks by moving a pointer, and given back only all at once, when
// the arena goes. Nothing made here is destroyed one by one, so an object
// belongs here only when destroying it would do nothing: when it owns no
// memory but memory of the same arena.
#ifndef LORVEX_SUPPORT_KIO_ARENA_H
#define LORVEX_SUPPORT_KIO_ARENA_H

#include <cstddef>
#include <cstdint>
#include <new>
#include <utility>

class kio_Arena {
 public:
  // Blocks start at firstBlock bytes and double with each new one, up to a
  // limit; a request larger than a block gets a block of its own.
  explicit kio_Arena(std::size_t firstBlock = 4096);
  ~kio_Arena();
  kio_Arena(const kio_Arena&) = delete;
  kio_Arena& operator=(const kio_Arena&) = delete;

  // `size` bytes aligned to `alignment` (a power of two, at most that of
  // std::max_align_t), uninitialised. Never null; throws std::bad_alloc.
  void* allocate(std::size_t size, std::size_t alignment) {
    const auto last = reinterpret_cast<std::uintptr_t>(end);
    const std::uintptr_t at = (reinterpret_cast<std::uintptr_t>(next) + alignment - 1) &
                              ~static_cast<std::uintptr_t>(alignment - 1);
    if (next != nullptr && at <= last && size <= last - at) {
      next = reinterpret_cast<char*>(at + size);
      return reinterpret_cast<void*>(at);
    }
    return allocateInNewBlock(size, alignment);
  }

  template <typename T, typename... Args>
  T* make(Args&&... args) {
    return new (allocate(sizeof(T), alignof(T))) T(std::forward<Args>(args)...);
  }

  // An uninitialised array of count objects of a trivial type.
  template <typename T>
  T* array(std::size_t count) {
    return static_cast<T*>(allocate(sizeof(T) * (count > 0 ? count : 1), alignof(T)));
  }

  // A copy of `length` bytes; never null, also for none.
  char* copy(const void* bytes, std::size_t length);

  std::size_t numberOfBlocks() const { return blocks; }

 private:
  struct Block;

  void* allocateInNewBlock(std::size_t size, std::size_t alignment);

  char* next = nullptr;  // first free byte of the newest block
  char* end = nullptr;   // just past the newest block
  Block* newest = nullptr;
  std::size_t nextBlockSize;
  std::size_t blocks = 0;
};

#endif  // LORVEX_SUPPORT_KIO_ARENA_H
