#include "driver/disk_json.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(DiskJson, StringsAreEscapedAsJsonRequires) {
  const struct {
    std::string text;
    std::string json;
  } cases[] = {
      {"", R"("")"},
      {"plain {rvs on} text", R"("plain {rvs on} text")"},
      {"say \"hi\" \\ there", R"("say \"hi\" \\ there")"},
      {"\n\r\t", R"("\n\r\t")"},
      {std::string("\x00\x01\x1f\x7f", 4), R"("\u0000\u0001\u001f\u007f")"},
      {"\xe2\x96\x88 \xc3\xa9 \xf0\x9f\x82\xa1", "\"\xe2\x96\x88 \xc3\xa9 \xf0\x9f\x82\xa1\""},
      {"\xff\xc3", R"("\ufffd\ufffd")"},                 // no lead byte; cut short
      {"\xc0\xaf \xed\xa0\x80", R"("\ufffd\ufffd \ufffd\ufffd\ufffd")"},  // overlong; surrogate
  };
  for (const auto& c : cases) EXPECT_EQ(jsonString(c.text), c.json) << c.json;
}

}  // namespace
