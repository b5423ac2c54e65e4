// A byte buffer that leaves the bytes it grows by as they are: for input
// that is read over them at once, where clearing them first would cost a
// pass over all of it.
#ifndef LORVEX_SUPPORT_KIO_BYTES_H
#define LORVEX_SUPPORT_KIO_BYTES_H

#include <memory>
#include <new>
#include <utility>
#include <vector>

template <typename T>
struct kio_UnclearedAllocator : std::allocator<T> {
  template <typename U>
  struct rebind {
    using other = kio_UnclearedAllocator<U>;
  };
  kio_UnclearedAllocator() = default;
  template <typename U>
  kio_UnclearedAllocator(const kio_UnclearedAllocator<U>&) noexcept {}
  template <typename U>
  void construct(U* at) noexcept(noexcept(U())) {
    ::new (static_cast<void*>(at)) U;
  }
  template <typename U, typename... Args>
  void construct(U* at, Args&&... args) {
    ::new (static_cast<void*>(at)) U(std::forward<Args>(args)...);
  }
};

using kio_Bytes = std::vector<char, kio_UnclearedAllocator<char>>;

#endif  // LORVEX_SUPPORT_KIO_BYTES_H
