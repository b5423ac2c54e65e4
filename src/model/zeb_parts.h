// The parts an expression or an operand list holds, in order. Parts added
// one at a time come from the heap and are owned here. Parts the decoder
// makes lie in its arena together with their array, and the arena frees
// them: then there is nothing to delete here. Most decoded expressions
// hold a single token, which is kept in place of the array.
#ifndef LORVEX_MODEL_ZEB_PARTS_H
#define LORVEX_MODEL_ZEB_PARTS_H

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "support/kio_arena.h"

template <typename Part>
class zeb_Parts {
 public:
  zeb_Parts() = default;
  // The `count` parts, which lie in `arena`; so does the copy of their array.
  zeb_Parts(kio_Arena& arena, const Part* const* parts, std::size_t count)
      : length(static_cast<std::uint32_t>(count)) {
    if (count == 0) return;
    if (count == 1) {
      one = parts[0];
      return;
    }
    items = arena.array<const Part*>(count);
    for (std::size_t i = 0; i < count; ++i) items[i] = parts[i];
  }
  ~zeb_Parts() {
    if (capacity == 0) return;
    for (std::uint32_t i = 0; i < length; ++i) delete items[i];
    delete[] items;
  }
  zeb_Parts(const zeb_Parts&) = delete;
  zeb_Parts& operator=(const zeb_Parts&) = delete;

  // Only for parts built by hand: arena parts are never added to.
  void add(std::unique_ptr<Part> part) {
    if (length == capacity) grow();
    items[length++] = part.release();
  }

  std::size_t size() const { return length; }
  const Part* operator[](std::size_t index) const { return begin()[index]; }
  const Part* const* begin() const { return inPlace() ? &one : items; }
  const Part* const* end() const { return begin() + length; }

 private:
  bool inPlace() const { return length == 1 && capacity == 0; }

  void grow() {
    assert(capacity != 0 || length == 0);
    const std::uint32_t larger = capacity == 0 ? 4 : capacity * 2;
    auto* moved = new const Part*[larger];
    if (length > 0) std::memcpy(moved, items, length * sizeof(const Part*));
    delete[] items;
    items = moved;
    capacity = larger;
  }

  union {
    const Part** items = nullptr;  // every part, unless inPlace()
    const Part* one;               // the only part of an arena-held run
  };
  std::uint32_t length = 0;
  std::uint32_t capacity = 0;  // of an array owned here; 0 for none or one in an arena
};

#endif  // LORVEX_MODEL_ZEB_PARTS_H
