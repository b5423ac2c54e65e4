#include "driver/disk_session.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver/input.h"
#include "testlib/example_disk.h"
#include "testlib/global_state.h"

namespace lorvex_test {
namespace {

using disk::FileType;

class DiskSessionTest : public ::testing::Test {
 private:
  GlobalStateGuard guard;
};

// A line that should carry an operand and has none.
Bytes damagedSource() {
  ImageSpec layout;
  layout.lines = {emptyLine(), statement(1, {0x8A, 'Q'})};
  return buildImage(layout).bytes;
}

DiskSession exampleSession() { return DiskSession(exampleDisk().image, "d/example.d64"); }

struct EntryRow {
  const char* name;
  const char* type;
  int blocks;
  bool closed;
  bool locked;
  const char* variant;
  const char* hostName;
  const char* rawName;
  const char* listedAs;
};

void expectEntries(const DiskSession& session, const std::vector<EntryRow>& rows) {
  ASSERT_TRUE(session.isOpen()) << session.error();
  ASSERT_EQ(session.entries().size(), rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const SessionEntry& e = session.entries()[i];
    const EntryRow& r = rows[i];
    SCOPED_TRACE(r.name);
    EXPECT_EQ(e.name, r.name);
    EXPECT_EQ(e.type, r.type);
    EXPECT_EQ(e.blocks, r.blocks);
    EXPECT_EQ(e.closed, r.closed);
    EXPECT_EQ(e.locked, r.locked);
    EXPECT_EQ(e.variant, r.variant);
    EXPECT_EQ(e.hostName, r.hostName);
    EXPECT_EQ(e.rawName, r.rawName);
    EXPECT_EQ(e.listedAs, r.listedAs);
  }
}

TEST_F(DiskSessionTest, EntriesOfADisk) {
  const DiskSession session = exampleSession();
  expectEntries(session,
                {{"hello", "prg", 3, true, false, "Vorda Assembler (macro; $8000)", "hello",
                  "hello.prg", "hello.prg"},
                 {"colours", "prg", 2, true, false, "Vorda Assembler (plain; $9000)", "colours",
                  "colours.prg", "colours.prg"},
                 {"readme", "seq", 1, true, false, "", "readme", "readme.seq", "readme.seq"},
                 {"loader", "prg", 1, true, false, "", "loader", "loader.prg", "loader.prg"}});
  const SessionImage& image = session.image();
  EXPECT_EQ(image.kind, "d64");
  EXPECT_EQ(image.name, "lorvex examples");
  EXPECT_EQ(image.id, "lx 2a");
  EXPECT_EQ(image.freeBlocks, 657);
}

TEST_F(DiskSessionTest, ALooseSourceImageIsOneEntry) {
  const DiskSession session(exampleImage().bytes, "some/dir/hello.src");
  expectEntries(session, {{"hello", "prg", 3, true, false, "Vorda Assembler (macro; $8000)",
                           "hello", "hello.prg", "some/dir/hello.src"}});
  EXPECT_EQ(session.image().kind, "plain");
  EXPECT_EQ(session.image().freeBlocks, std::nullopt);
}

TEST_F(DiskSessionTest, WhatCannotBeOpened) {
  const struct {
    Bytes bytes;
    const char* error;
  } cases[] = {
      {{}, "error: e.d64: The file is empty."},
      {Bytes(kMaxImageSize + 1, 0), "error: e.d64 does not exist or cannot be opened for reading"},
  };
  for (const auto& c : cases) {
    const DiskSession session(c.bytes, "e.d64");
    EXPECT_FALSE(session.isOpen());
    EXPECT_EQ(session.error(), c.error);
    EXPECT_TRUE(session.entries().empty());
    EXPECT_EQ(session.directory(), "");
  }
}

TEST_F(DiskSessionTest, OnlySourceImagesHaveListings) {
  const DiskSession session = exampleSession();
  EntryListing listing;
  listing.text = "stale";
  for (std::size_t i : {std::size_t{2}, std::size_t{3}, std::size_t{4}}) {
    EXPECT_FALSE(session.listing(i, ListingOptions(), listing)) << i;
    EXPECT_EQ(listing.text, "");
  }
  EXPECT_TRUE(session.listing(1, ListingOptions(), listing));
  EXPECT_TRUE(listing.spans.empty());  // not asked for
}

TEST_F(DiskSessionTest, DecoderWarningsNameImageAndFile) {
  const std::vector<disk_test::TestFile> files = {{petscii("bad one"), FileType::prg,
                                                   damagedSource()}};
  const DiskSession session(disk_test::writeT64(files), "t.t64");
  EntryListing listing;
  ASSERT_TRUE(session.listing(0, ListingOptions(), listing));
  EXPECT_EQ(listing.warnings,
            std::vector<std::string>{"t.t64: bad one: warning: null expression; line 2"});
}

TEST_F(DiskSessionTest, RawBytesOfEachEntry) {
  const DiskSession session = exampleSession();
  EXPECT_EQ(session.bytes(0), exampleImage().bytes);
  EXPECT_EQ(session.bytes(3), loaderProgram());
  EXPECT_TRUE(session.bytes(4).empty());
}

// colours: "border" set on line 2, "start" on 4, "loop" on 5; border is
// stored to on line 5, loop branched to on line 8.
TEST_F(DiskSessionTest, LabelsAndTheirSpans) {
  const DiskSession session = exampleSession();
  const struct {
    const char* name;
    std::optional<unsigned long> definedAt;
    std::vector<unsigned long> usedAt;
  } labels[] = {{"border", 2, {5}}, {"start", 4, {}}, {"loop", 5, {8}}};
  const struct {
    int label;
    unsigned long line;
    bool definition;
  } spans[] = {{0, 2, true}, {1, 4, true}, {2, 5, true}, {0, 5, false}, {2, 8, false}};

  ListingOptions plain;
  ListingOptions decorated;
  decorated.stats = decorated.lineNumbers = decorated.listLabels = true;
  for (const ListingOptions& options : {plain, decorated}) {
    EntryListing spansOnly;
    ASSERT_TRUE(session.listing(1, options, spansOnly, ListingExtras::spans));
    EXPECT_TRUE(spansOnly.labels.empty());  // not asked for
    EntryListing listing;
    ASSERT_TRUE(session.listing(1, options, listing, ListingExtras::spansAndLabels));
    EXPECT_EQ(spansOnly.text, listing.text);
    ASSERT_EQ(spansOnly.spans.size(), listing.spans.size());
    for (std::size_t k = 0; k < listing.spans.size(); ++k) {
      EXPECT_EQ(spansOnly.spans[k].offset, listing.spans[k].offset) << k;
      EXPECT_EQ(spansOnly.spans[k].label, listing.spans[k].label) << k;
    }
    ASSERT_EQ(listing.labels.size(), std::size(labels));
    for (std::size_t i = 0; i < std::size(labels); ++i) {
      EXPECT_EQ(listing.labels[i].name, labels[i].name);
      EXPECT_EQ(listing.labels[i].definedAt, labels[i].definedAt);
      EXPECT_EQ(listing.labels[i].usedAt, labels[i].usedAt);
    }
    ASSERT_EQ(listing.spans.size(), std::size(spans));
    for (std::size_t k = 0; k < std::size(spans); ++k) {
      const LabelSpan& s = listing.spans[k];
      EXPECT_EQ(s.label, spans[k].label);
      EXPECT_EQ(s.line, spans[k].line);
      EXPECT_EQ(s.definition, spans[k].definition);
      EXPECT_EQ(listing.text.substr(s.offset, s.length), labels[spans[k].label].name);
    }
  }
}

}  // namespace
}  // namespace lorvex_test
