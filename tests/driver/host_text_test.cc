#include "driver/host_text.h"

#include <gtest/gtest.h>

TEST(HostText, ControlsAndBrokenUtf8BecomeQuestionMarks) {
  const struct {
    std::string name;
    std::string shown;
  } cases[] = {
      {"hello.d64", "hello.d64"},
      {"a\x1b[31mb", "a?[31mb"},
      {"line\nerror: fake", "line?error: fake"},
      {std::string("nul\0x", 5), "nul?x"},
      {"tab\there\r\x7F", "tab?here??"},
      {"caf\xC3\xA9 \xE2\x94\x8C \xF0\x9F\x98\x80", "caf\xC3\xA9 \xE2\x94\x8C \xF0\x9F\x98\x80"},
      {"csi\xC2\x9B" "2J", "csi?2J"},          // U+009B, the one-character escape
      {"nbsp\xC2\xA0", "nbsp\xC2\xA0"},        // just past the controls
      {"raw\x9B" "2J", "raw?2J"},              // a lone byte, no UTF-8
      {"over\xC0\xAF", "over??"},              // overlong "/"
      {"cut\xE2\x94", "cut??"},                // sequence cut short
      {"sur\xED\xA0\x80", "sur???"},           // a surrogate
      {"big\xF4\x90\x80\x80", "big????"},      // past U+10FFFF
      {"\xFE\xFF", "??"},
  };
  for (const auto& c : cases) EXPECT_EQ(shownHostName(c.name), c.shown) << c.name;
}
