// Decodes images made by the image builder, for the decoder's tests.
#ifndef LORVEX_TESTS_SOURCE_DECODE_HELPERS_H
#define LORVEX_TESTS_SOURCE_DECODE_HELPERS_H

#include <memory>

#include "petscii/lorvex_global.h"
#include "source/process_state.h"
#include "source/zeb_source.h"
#include "testlib/image_builder.h"

namespace lorvex_test {

inline std::unique_ptr<zeb_Source> decode(const Bytes& image) {
  return std::make_unique<zeb_Source>(reinterpret_cast<const char*>(image.data()),
                                      static_cast<int>(image.size()));
}

inline std::unique_ptr<zeb_Source> decode(const ImageSpec& layout) {
  return decode(buildImage(layout).bytes);
}

// One image of the given lines and labels (variant 1, tab 8).
inline std::unique_ptr<zeb_Source> decodeLines(std::vector<Record> lines,
                                               std::vector<std::string> labels = {}) {
  ImageSpec layout;
  layout.tab = 8;
  layout.lines = std::move(lines);
  layout.labels = std::move(labels);
  return decode(layout);
}

// Resets the settings and the label table around each test.
class DecoderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    zeb_resetProcessState();
  }
  void TearDown() override { SetUp(); }
};

}  // namespace lorvex_test

#endif  // LORVEX_TESTS_SOURCE_DECODE_HELPERS_H
