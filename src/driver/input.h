// Reading the whole input image: a named file, or standard input.
#ifndef LORVEX_DRIVER_INPUT_H
#define LORVEX_DRIVER_INPUT_H

#include <string>
#include <vector>

#include "support/kio_bytes.h"

// No source image comes near this; a larger input is refused rather than
// held in memory.
constexpr std::size_t kMaxImageSize = 16u * 1024 * 1024;

enum class ReadStatus { ok, failed, tooLarge };

// The whole image, read over room that was not cleared first.
using ImageBytes = kio_Bytes;

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
