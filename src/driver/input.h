// Reading the whole input image: a named file, or standard input.
#ifndef LORVEX_DRIVER_INPUT_H
#define LORVEX_DRIVER_INPUT_H

#include <new>
#include <string>
#include <utility>
#include <vector>

// No source image comes near this; a larger input is refused rather than
// held in memory.
constexpr std::size_t kMaxImageSize = 16u * 1024 * 1024;

enum class ReadStatus { ok, failed, tooLarge };

// Leaves the bytes a buffer grows by as they are: the input is read over
// them at once, and clearing them first would cost a pass over the image.
template <typename T>
struct UnclearedAllocator : std::allocator<T> {
  template <typename U>
  struct rebind {
    using other = UnclearedAllocator<U>;
  };
  UnclearedAllocator() = default;
  template <typename U>
  UnclearedAllocator(const UnclearedAllocator<U>&) noexcept {}
  template <typename U>
  void construct(U* at) noexcept(noexcept(U())) {
    ::new (static_cast<void*>(at)) U;
  }
  template <typename U, typename... Args>
  void construct(U* at, Args&&... args) {
    ::new (static_cast<void*>(at)) U(std::forward<Args>(args)...);
  }
};
using ImageBytes = std::vector<char, UnclearedAllocator<char>>;

// Reads the file whole. A directory, a file that cannot be read to its
// end, or one above kMaxImageSize fails. The second form fills the byte
// type the disk reader takes, so a disk image is not copied once more.
ReadStatus readImageFile(const std::string& name, ImageBytes& image);
ReadStatus readImageFile(const std::string& name, std::vector<unsigned char>& image);

// Reads standard input to its end into a growing buffer. On failure
// `problem` holds the system's text for the error.
ReadStatus readImageStdin(ImageBytes& image, std::string& problem);

// Switches standard input to binary mode where the platform has text and
// binary modes; true elsewhere. On failure `problem` holds the system's text.
bool setStdinBinary(std::string& problem);

// True when `output` already exists and is the very file that `input`
// names (by identity, not by spelling); with an empty `input`, when
// standard input is that regular file.
bool isSameFileAsInput(const std::string& input, const std::string& output);

#endif  // LORVEX_DRIVER_INPUT_H
