// Line records: the line table gives each line's record length and class;
// the records lie packed one below the other down from the top of the text
// area and hold 6502 instructions, text lines, labels and the statements
// of codes 1 to 31 with their operands and comment trailers.
#ifndef LORVEX_SOURCE_LINE_RECORDS_H
#define LORVEX_SOURCE_LINE_RECORDS_H

#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

#include "model/line_tally.h"
#include "model/line_writer.h"
#include "model/stored_record.h"
#include "model/zeb_line.h"
#include "source/expression_decoder.h"

// The decoded lines, made in place in room for as many as a text area can
// hold: room never filled costs no memory the process holds. A decoded
// line frees nothing, so the lines are not destroyed one by one.
class zeb_StoredLines {
 public:
  zeb_StoredLines() = default;
  zeb_StoredLines(const zeb_StoredLines&) = delete;
  zeb_StoredLines& operator=(const zeb_StoredLines&) = delete;
  ~zeb_StoredLines() { ::operator delete(lines_); }

  // Drops the lines and makes room for `room` of them.
  void reserve(std::size_t room) {
    ::operator delete(lines_);
    lines_ = static_cast<zeb_Line*>(::operator new(room * sizeof(zeb_Line)));
    count_ = 0;
  }
  // At most as many as reserved, made directly from room() on, then
  // counted in with added().
  zeb_Line* room() { return lines_ + count_; }
  void added(std::size_t count) { count_ += count; }

  std::size_t size() const { return count_; }
  const zeb_Line& operator[](std::size_t k) const { return lines_[k]; }
  const zeb_Line* begin() const { return lines_; }
  const zeb_Line* end() const { return lines_ + count_; }

 private:
  zeb_Line* lines_ = nullptr;
  std::size_t count_ = 0;
};

// Decodes the records of the `textLength`-byte text area, one line-table
// byte per line: the text goes into `store`, and each line a record was
// found for gets one record there, in line order; every other line is
// bare and has none. The labels the records name are flagged in `usage`,
// and damaged operands are reported to the warning sink, line by line in
// order. A record that would reach below the text area leaves its line
// bare; one cut short keeps what it holds.
void zeb_decodeLines(zeb_RecordStore& store, const unsigned char* text, int textLength,
                     const unsigned char* table, int tableLength, zeb_LabelUsage& usage);

// Decodes as zeb_decodeLines does, flagging the same labels and reporting
// the same damage in the same order, but keeps no records: instead the
// listing of the `tableLength` lines is written into `listing`, under the
// settings in force, each line rendered while it is decoded. The records
// are counted into `tally` where one is given.
void zeb_decodeListing(const unsigned char* text, int textLength, const unsigned char* table,
                       int tableLength, zeb_LabelUsage& usage, zeb_HeldListing& listing,
                       zeb_LineTally* tally);
// The same, but each block of the listing is handed to `out` once full and
// then filled again, and the last one at the end.
void zeb_decodeListing(const unsigned char* text, int textLength, const unsigned char* table,
                       int tableLength, zeb_LabelUsage& usage, zeb_ListingOut& out,
                       zeb_LineTally* tally);

// The records zeb_decodeLines would count, counted into `tally` without
// flagging or reporting anything again.
void zeb_tallyLines(const unsigned char* text, int textLength, const unsigned char* table,
                    int tableLength, zeb_LineTally& tally);

// The records zeb_decodeLines would keep, for a store that already holds
// the text area, without flagging or reporting anything again.
void zeb_keepRecords(zeb_RecordStore& store, int textLength, const unsigned char* table,
                     int tableLength);

// The lines of the store's records, and their indexes (line number - 1).
void zeb_makeStoredLines(const zeb_RecordStore& store, zeb_StoredLines& lines,
                         std::vector<uint32_t>& occupied);

#endif  // LORVEX_SOURCE_LINE_RECORDS_H
