// One decoded source image. Construction does all the decoding: header,
// identification of the variant, label area, line records and operands
// (but for a source made to decode its records while it lists them, which
// decodeListing does). The object keeps no pointer into the caller's
// buffer, and what it answers does not change once decoded (its line
// objects and counts are made when first asked for). Its lines read what
// they hold from a copy of the image's text area, or from the image a
// source that lists itself was given, either kept by the source
// (zeb_RecordStore) and going with it.
#ifndef LORVEX_SOURCE_ZEB_SOURCE_H
#define LORVEX_SOURCE_ZEB_SOURCE_H

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/line_tally.h"
#include "model/stored_record.h"
#include "model/zeb_expression.h"
#include "model/zeb_line.h"
#include "source/expression_decoder.h"
#include "source/image_header.h"
#include "source/label_area.h"
#include "source/line_records.h"
#include "source/variants.h"
#include "support/kio_arena.h"
#include "support/kio_bytes.h"

// The pieces of decoding, each in a file of its own, are declared in
// image_header.h, source_id.h, label_area.h, line_records.h and
// expression_decoder.h.

class zeb_Source {
 public:
  zeb_Source(const char* image, int size);
  // Decodes as above, and meanwhile writes the source's listing into
  // `listing` (under the settings in force, at its tab column if it names
  // one): each line is rendered while it is decoded, and its record is
  // found only once a caller asks for the lines. The source keeps the
  // image, and its lines read from it.
  zeb_Source(kio_Bytes&& image, zeb_HeldListing& listing);
  // Decodes as above but for the line records, which decodeListing decodes
  // while it lists them: until it has run, no label counts as used. The
  // source keeps the image.
  explicit zeb_Source(kio_Bytes&& image);
  // Decodes the line records of a source made by the constructor above,
  // once, flagging the labels they name and reporting their damage to the
  // warning sink, and meanwhile writes the listing to `out` under the
  // settings in force. With `countLines`, the lines are counted as they
  // go for lineTally, unless it has counted them already.
  void decodeListing(zeb_ListingOut& out, bool countLines);
  zeb_Source(const zeb_Source&) = delete;
  zeb_Source& operator=(const zeb_Source&) = delete;
  ~zeb_Source();

  std::string type() const;
  int getSourceType() const { return sourceType; }
  bool isParsed() const { return parsed; }

  unsigned long numberOfLines() const { return lineCount; }
  // Most lines of a big image have no record: such a line is bare
  // (zeb_Line::isBare), and only kept once a caller asks for one. The first
  // such call makes all of them; the listing and the reports never ask.
  const zeb_Line* lineAt(unsigned long index) const;
  // The indexes, in order, of the lines that are not bare, and those lines.
  // Both are made at the first call of either (or of lineAt): the listing
  // reads the records instead.
  const std::vector<uint32_t>& occupiedLines() const {
    if (!linesMade) makeLines();
    return occupied;
  }
  const zeb_Line* occupiedLine(std::size_t k) const {
    if (!linesMade) makeLines();
    return &records[k];
  }
  // How many lines are not bare, and the record the k-th of them reads
  // from (k below that count); its line number tells which line it is.
  std::size_t occupiedCount() const {
    if (!recordsKept) keepRecords();
    return store.size();
  }
  const zeb_StoredRecord& occupiedRecord(std::size_t k) const { return store.record(k); }
  unsigned long numberOfLabels() const { return static_cast<unsigned long>(labels.size()); }
  std::string labelAt(unsigned long index) const { return std::string(labels.at(index)); }
  std::string_view labelName(unsigned long index) const { return labels.at(index); }
  bool isLabelUsed(unsigned long index) const { return labelsUsage[index] == 1; }
  // What the reports count of the lines that have a record: counted while
  // a source lists itself if asked to, or else at the first call.
  const zeb_LineTally& lineTally() const;

  // Every line's rendering, concatenated with nothing between them.
  std::string toString() const;

  // Decodes one tokenized operand into this source (see zeb_readExpression),
  // flagging the labels it refers to; it lives as long as the source.
  const zeb_Expression* readExpression(const unsigned char* text, int recordStart,
                                       int recordLength, int* position) {
    return zeb_readExpression(arena, text, recordStart, recordLength, position, labelsUsage);
  }

  // Source-type code of an image whose text area starts at address start.
  int _idSource(const char* image, int start, int size) const;

  // Label names of the last decoded source, by label index.
  static std::vector<std::string> globLabels;

 private:
  // First, so that they go last: the lines read from the store, and
  // readExpression makes its results in the arena.
  mutable zeb_RecordStore store;
  kio_Arena arena;
  unsigned long lineCount = 0;
  // The records' decoding: in place (kWhole), while they are listed into
  // a held listing, or left to decodeListing.
  enum class Records { kWhole, kHeld, kPassed };
  void decode(const char* image, int size, Records made, zeb_HeldListing* listing);
  void keepRecords() const;
  void makeLines() const;
  // A source that listed itself keeps its image, and finds the records in
  // its line table once they are asked for.
  kio_Bytes image_;
  const unsigned char* keptTable = nullptr;
  int keptTableLength = 0;
  mutable bool recordsKept = true;
  bool listingOwed = false;  // decodeListing has the records to decode
  mutable zeb_LineTally tally;
  mutable bool tallied = false;
  mutable bool linesMade = false;
  mutable zeb_StoredLines records;         // the lines that are not bare, in order
  mutable std::vector<uint32_t> occupied;  // their indexes
  mutable std::vector<zeb_Line> bareLines;  // made at the first call of lineAt that needs one
  zeb_LabelNames labels;
  zeb_LabelUsage labelsUsage;
  int sourceType = zeb_UNIDENTIFIED;
  bool parsed = false;
};

#endif  // LORVEX_SOURCE_ZEB_SOURCE_H
