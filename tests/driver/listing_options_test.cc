#include "driver/listing_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver/disk_options.h"
#include "support/kio_getopt.h"

namespace {

// The options lorvex-disk's parser reads from the words (it knows -u too).
bool read(std::vector<const char*> words, ListingOptions& options, std::string& message) {
  kio_Getopt parser;
  registerDiskOptions(parser);
  words.insert(words.begin(), "lorvex-disk");
  parser.parse(static_cast<int>(words.size()), words.data());
  EXPECT_TRUE(parser.errors().empty());
  return readListingOptions(parser, options, message);
}

ListingOptions with(void (*change)(ListingOptions&)) {
  ListingOptions options;
  change(options);
  return options;
}

bool same(const ListingOptions& a, const ListingOptions& b) {
  return a.omitSource == b.omitSource && a.byteDec == b.byteDec && a.byteHex == b.byteHex &&
         a.byteColumns == b.byteColumns && a.screen == b.screen &&
         a.bastextConversion == b.bastextConversion && a.listLabels == b.listLabels &&
         a.lineNumbers == b.lineNumbers && a.tabWidth == b.tabWidth && a.stats == b.stats &&
         a.statsDetail == b.statsDetail && a.statsWild == b.statsWild && a.utf8 == b.utf8;
}

TEST(ListingOptions, ReadFromTheCommandLine) {
  const struct {
    std::vector<const char*> words;
    ListingOptions expected;
  } cases[] = {
      {{}, ListingOptions()},
      {{"-O", "-l", "-n"}, with([](ListingOptions& o) { o.omitSource = o.listLabels = o.lineNumbers = true; })},
      {{"-b", "-B", "-S"}, with([](ListingOptions& o) { o.byteDec = o.byteHex = o.screen = true; })},
      {{"-W", "3", "-w", "0"}, with([](ListingOptions& o) { o.byteColumns = 3; o.tabWidth = 0; })},
      {{"-w", " -4x"}, with([](ListingOptions& o) { o.tabWidth = -4; })},
      {{"-t", "-T"}, with([](ListingOptions& o) { o.bastextConversion = 1; })},
      {{"--petscii-dec", "-T"}, with([](ListingOptions& o) { o.bastextConversion = 2; })},
      {{"-T"}, with([](ListingOptions& o) { o.bastextConversion = 3; })},
      {{"-s", "-z", "-Z", "-u"}, with([](ListingOptions& o) { o.stats = o.statsDetail = o.statsWild = o.utf8 = true; })},
  };
  for (const auto& c : cases) {
    ListingOptions options;
    std::string message;
    EXPECT_TRUE(read(c.words, options, message)) << message;
    EXPECT_TRUE(same(options, c.expected)) << c.words.size() << " words";
  }
}

TEST(ListingOptions, BadNumbersAreRefusedWithTheirText) {
  const struct {
    std::vector<const char*> words;
    const char* message;
  } cases[] = {
      {{"-w", "x"}, "Lorvex: -w/--tab-width requires a valid integer argument"},
      {{"-w", "256"}, "Lorvex: -w/--tab-width requires a valid integer argument"},
      {{"-W", ""}, "Lorvex: -W/--byte-columns requires a valid integer argument"},
      {{"-W", "x", "-w", "y"}, "Lorvex: -w/--tab-width requires a valid integer argument"},
  };
  for (const auto& c : cases) {
    ListingOptions options;
    std::string message;
    EXPECT_FALSE(read(c.words, options, message));
    EXPECT_EQ(message, c.message);
  }
}

}  // namespace
