// A listing's lines put in order into blocks of text: the line break after
// each, runs of empty lines in one fill, and each block handed on once it
// is full. Whoever hands it on decides what becomes of it: written out
// and emptied for the next lines, or kept and a new block begun.
#ifndef LORVEX_MODEL_LINE_WRITER_H
#define LORVEX_MODEL_LINE_WRITER_H

#include <cstddef>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "model/line_parts.h"
#include "model/zeb_text.h"

// Lines are gathered into blocks of about this size: few writes, and few
// pages to touch for a block. A block is made with room for one more line
// past it at the widest tab column, so that a line's room seldom makes it
// grow.
constexpr std::size_t zeb_BLOCK_SIZE = 1 << 14;
constexpr std::size_t zeb_BLOCK_ROOM = zeb_BLOCK_SIZE + 2048;
static_assert(zeb_BLOCK_ROOM - zeb_BLOCK_SIZE >= zeb_lineRoom(255), "a line's room at tab column 255");

// A listing made ahead of being written: its blocks, in order, the tab
// column it is to be made at, when not the image's own, and whether the
// lines are to be counted meanwhile (zeb_LineTally).
struct zeb_HeldListing {
  std::optional<int> tabWidth;
  bool countLines = false;
  std::vector<std::unique_ptr<zeb_Text>> blocks;
};

// Where a listing made while its records are decoded goes when it is not
// held: each full block is handed over, then emptied and filled again.
constexpr std::size_t zeb_PASSED_BLOCK_SIZE = 1 << 16;
class zeb_ListingOut {
 public:
  virtual ~zeb_ListingOut() = default;
  virtual void write(const char* data, std::size_t size) = 0;
};

// `next(full)` takes a full block and returns the block to go on with.
template <typename Next>
class zeb_LineWriter {
 public:
  // Each line is given `lineRoom` bytes of room to be written in. A block
  // is full at `blockSize` bytes, and each is made with zeb_BLOCK_ROOM -
  // zeb_BLOCK_SIZE bytes of room past that.
  zeb_LineWriter(zeb_Text& block, Next next, std::size_t lineRoom,
                 std::size_t blockSize = zeb_BLOCK_SIZE)
      : block_(&block), next_(next), c_(block), lineRoom_(lineRoom), blockSize_(blockSize) {
    roomMade();
  }

  // Where line `index` is to be written, after the breaks that end the
  // lines before it; lines skipped since the last are empty.
  ZEB_INLINE zeb_Cursor& startLine(unsigned long index) {
    const unsigned long count = index - lastLine_;
    lastLine_ = index;
    // A line starts before the block's size, and a block has room for one
    // line past it (roomMade): mostly nothing is to be checked.
    if (eachLine_) {
      c_.ensure(lineRoom_ + kShortRun);
      c_.expect(lineRoom_);
    }
    // Mostly a few, which go as one fixed run in the line's own room.
    if (count <= kShortRun) {
      std::memset(c_.at, '\n', kShortRun);
      c_.at += count;
    } else {
      c_.commit();
      block_ = putBreaks(block_, next_, count, blockSize_);
      c_.resume(*block_);
      roomMade();
      c_.ensure(lineRoom_);
    }
    return c_;
  }
  // The cursor lines are written with, from one line to the next.
  zeb_Cursor& cursor() { return c_; }

  // After the line's text.
  ZEB_INLINE void endLine() {
    if (c_.offset() >= blockSize_) {
      c_.commit();
      block_ = &next_(*block_);
      c_.resume(*block_);
      roomMade();
    }
  }
  // After the last line: the breaks still owed of `lines` lines in all.
  // Returns the block that holds the end of the listing, not yet handed on.
  zeb_Text& finish(unsigned long lines) {
    c_.commit();
    block_ = putBreaks(block_, next_, lines - lastLine_, blockSize_);
    c_.resume(*block_);
    return *block_;
  }

 private:
  static constexpr unsigned long kShortRun = 16;

  // Makes the block hold room for a line that starts just before its
  // size; where a line's room is larger than a block's spare room, each
  // line checks its own.
  void roomMade() {
    const std::size_t line = lineRoom_ + kShortRun;
    eachLine_ = line > zeb_BLOCK_ROOM - zeb_BLOCK_SIZE;
    const std::size_t used = c_.offset();
    if (!eachLine_ && used < blockSize_) c_.ensure(blockSize_ - used + line);
    // What a line's text put through the text itself makes room for again.
    c_.expect(lineRoom_);
  }

  // Out of line, and told nothing of the writer, whose cursor can then
  // stay in registers; returns the block the breaks end in.
  [[gnu::noinline]] static zeb_Text* putBreaks(zeb_Text* block, Next next, unsigned long count,
                                               std::size_t blockSize) {
    while (count > 0) {
      const std::size_t size = block->size();
      const std::size_t room = size < blockSize ? blockSize - size : 0;
      const std::size_t now = count < room ? count : room;
      block->fill('\n', now);
      count -= now;
      if (block->size() >= blockSize) block = &next(*block);
    }
    return block;
  }

  zeb_Text* block_;
  Next next_;
  zeb_Cursor c_;
  std::size_t lineRoom_;
  std::size_t blockSize_;
  bool eachLine_ = true;
  // The index of the last line started: each line's break is written
  // before the next line, so the breaks owed before line k are k - it
  // (before the first line, k: the empty lines before it).
  unsigned long lastLine_ = 0;
};

#endif  // LORVEX_MODEL_LINE_WRITER_H
