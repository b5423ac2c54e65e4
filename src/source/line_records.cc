#include "source/line_records.h"

#include <algorithm>

#if defined(__GNUC__) && defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "model/decode_warnings.h"
#include "model/line_writer.h"
#include "model/stored_render.h"

namespace {

// Records lie one below the other, down from just under the unused byte
// and the signature at the top of the text area.
constexpr int kReservedBelowTop = 6;

// The table of a big image is mostly entries without a record (length 0),
// so it is read a run of entries at a time, as a mask with one bit set for
// each entry that has a record (entryBit). Where the processor compares
// sixteen bytes in one step, a run is sixteen entries; elsewhere eight,
// read as one word.
#if defined(__GNUC__) && defined(__SSE2__)
constexpr int kRun = 16;

uint64_t recordMask(const unsigned char* e) {
  const __m128i run = _mm_loadu_si128(reinterpret_cast<const __m128i*>(e));
  const __m128i lengths = _mm_and_si128(run, _mm_set1_epi8(0x3F));
  const __m128i empty = _mm_cmpeq_epi8(lengths, _mm_setzero_si128());
  return ~static_cast<uint64_t>(static_cast<uint32_t>(_mm_movemask_epi8(empty))) & 0xFFFF;
}

constexpr uint64_t entryBit(int i) { return uint64_t{1} << i; }

int firstEntry(uint64_t mask) { return __builtin_ctzll(mask); }
#else
constexpr int kRun = 8;

// Bit 7 of byte i is set when entry i has a record.
uint64_t recordMask(const unsigned char* e) {
  // Spelt out, so that the compiler reads the eight bytes in one load.
  const uint64_t run = uint64_t{e[0]} | uint64_t{e[1]} << 8 | uint64_t{e[2]} << 16 |
                       uint64_t{e[3]} << 24 | uint64_t{e[4]} << 32 | uint64_t{e[5]} << 40 |
                       uint64_t{e[6]} << 48 | uint64_t{e[7]} << 56;
  const uint64_t lengths = run & 0x3F3F3F3F3F3F3F3Full;
  // A length of 1 to 63 plus $7F reaches bit 7 of its byte, and no carry
  // crosses into the next one.
  return (lengths + 0x7F7F7F7F7F7F7F7Full) & 0x8080808080808080ull;
}

constexpr uint64_t entryBit(int i) { return uint64_t{0x80} << (8 * i); }

// The entry of the lowest bit of a non-empty mask.
int firstEntry(uint64_t mask) {
#if defined(__GNUC__)
  return __builtin_ctzll(mask) / 8;
#else
  int entry = 0;
  for (; (mask & 0xFF) == 0; mask >>= 8) ++entry;
  return entry;
#endif
}
#endif

// What decoding does with an operand's tokens: flags the labels, and warns
// of a byte that is no token at its offset in the text area.
class CheckTokens : public zeb_SkipOperand {
 public:
  CheckTokens(zeb_LabelUsage& usage, int recordStart) : usage_(usage), recordStart_(recordStart) {}
  void label(int index) { zeb_markUsed(usage_, index); }
  void notToken(int byte, int at) { zeb_warnings().corruptOperand(byte, recordStart_ + at); }
  void endExpression(bool ok) { ok_ = ok; }
  bool ok() const { return ok_; }

 private:
  zeb_LabelUsage& usage_;
  int recordStart_;
  bool ok_ = true;
};

// Reads the record at `start` for what decoding must do at once: the
// labels it names are flagged, a damaged operand is reported.
ZEB_INLINE void check(const unsigned char* text, int start, int n, int lineClass, int lineNumber,
                      zeb_LabelUsage& usage) {
  const unsigned char* record = text + start;
  const zeb_RecordHead head = zeb_readRecordHead(record, n, lineClass);
  if (head.labelRef >= 0) zeb_markUsed(usage, head.labelRef);
  if (head.form == zeb_Operand::none || head.form == zeb_Operand::string) return;
  CheckTokens tokens(usage, start);
  zeb_walkOperand(record, n, head, tokens);
  if (head.form == zeb_Operand::expression && !tokens.ok()) {
    zeb_warnings().nullExpression(lineNumber);
  }
}

// The same while the record is rendered, which walks it in the same order;
// with kCount, the records are counted as well.
template <bool kCount>
class CheckWhileListing {
 public:
  CheckWhileListing(zeb_LabelUsage& usage, zeb_LineTally* tally) : usage_(usage), tally_(tally) {}
  void opcode(int mnemonic) {
    if constexpr (kCount) {
      ++tally_->opcodes;
      ++tally_->byMnemonic[mnemonic];
    }
  }
  void pseudo() {
    if constexpr (kCount) ++tally_->pseudos;
  }
  void blank() {
    if constexpr (kCount) ++tally_->blank;
  }
  // The record at text-area offset `recordStart` of line `lineNumber` is next.
  void begin(int recordStart, int lineNumber) {
    recordStart_ = recordStart;
    lineNumber_ = lineNumber;
  }
  void label(int index) { zeb_markUsed(usage_, index); }
  void notToken(int byte, int at) { zeb_warnings().corruptOperand(byte, recordStart_ + at); }
  void nullExpression() { zeb_warnings().nullExpression(lineNumber_); }

 private:
  zeb_LabelUsage& usage_;
  zeb_LineTally* tally_;
  int recordStart_ = 0;
  int lineNumber_ = 0;
};

// Calls take(k, p, n) for each line k that has a record, in order: its n
// bytes at text-area offset p. A record that would reach below the text
// area is left out: the line stays bare rather than showing bytes from
// outside it.
template <typename Take>
ZEB_INLINE void forEachRecord(int textLength, const unsigned char* table, int tableLength,
                              Take&& take) {
  const int runs = tableLength > 0 ? tableLength / kRun : 0;
  int p = textLength - kReservedBelowTop;
  // The entries past the last full run make one more mask.
  uint64_t tail = 0;
  for (int k = runs * kRun; k < tableLength; ++k) {
    if (table[k] & 0x3F) tail |= entryBit(k - runs * kRun);
  }
  for (int r = 0; r <= runs; ++r) {
    uint64_t mask = r < runs ? recordMask(table + r * kRun) : tail;
    for (; mask != 0; mask &= mask - 1) {
      const int k = r * kRun + firstEntry(mask);
      const int n = table[k] & 0x3F;
      p -= n;
      if (p >= 0) take(k, p, n);
    }
  }
}

// What a byte of the text area comes to in a listing held whole, at most
// for most images: a record's bytes write their names and numbers out.
constexpr std::size_t kHeldBytesPerTextByte = 8;

// Every record takes at least one byte below the reserved ones, so this
// many can be kept at most.
std::size_t mostRecords(int textLength, int tableLength) {
  return static_cast<std::size_t>(
      std::max(0, std::min(tableLength, textLength - kReservedBelowTop)));
}

}  // namespace

void zeb_decodeLines(zeb_RecordStore& store, const unsigned char* text, int textLength,
                     const unsigned char* table, int tableLength, zeb_LabelUsage& usage) {
  store.keep(text, textLength);
  // Room that stays unused is never touched, and costs no memory the
  // process holds.
  store.reserve(mostRecords(textLength, tableLength));
  const unsigned char* kept = store.text();
  zeb_StoredRecord* records = store.room();
  std::size_t count = 0;
  forEachRecord(textLength, table, tableLength, [&](int k, int p, int n) {
    check(kept, p, n, table[k] & 0xC0, k + 1, usage);
    records[count++] = store.make(p, k + 1, table[k]);
  });
  store.added(count);
}

void zeb_keepRecords(zeb_RecordStore& store, int textLength, const unsigned char* table,
                     int tableLength) {
  store.reserve(mostRecords(textLength, tableLength));
  zeb_StoredRecord* records = store.room();
  std::size_t count = 0;
  forEachRecord(textLength, table, tableLength, [&](int k, int p, int) {
    records[count++] = store.make(p, k + 1, table[k]);
  });
  store.added(count);
}

namespace {

// The decoding pass: each record checked and rendered, its line written
// into `first` and the blocks `next` hands on (zeb_LineWriter). Returns the
// block that holds the end of the listing, not yet handed on. One instance
// a way: the plain listing's loop has no count compiled in.
template <bool kCount, typename Next>
zeb_Text& listRecords(const unsigned char* text, int textLength, const unsigned char* table,
                      int tableLength, zeb_LabelUsage& usage, zeb_LineTally* tally,
                      zeb_Text& first, Next next, std::size_t blockSize) {
  const zeb_LineContext context = zeb_listingContext();
  zeb_LineWriter<Next> lines(first, next, zeb_lineRoom(context.tab), blockSize);
  CheckWhileListing<kCount> check(usage, tally);
  zeb_PutStoredTokens<CheckWhileListing<kCount>> put(lines.cursor(), context, check);
  forEachRecord(textLength, table, tableLength, [&](int k, int p, int n) ZEB_LAMBDA_INLINE {
    lines.startLine(static_cast<unsigned long>(k));
    if constexpr (kCount) ++tally->records;
    check.begin(p, k + 1);
    zeb_renderRecord(put, text + p, n, table[k] & 0xC0);
    lines.endLine();
  });
  return lines.finish(static_cast<unsigned long>(std::max(tableLength, 0)));
}

template <bool kCount>
void holdListing(const unsigned char* text, int textLength, const unsigned char* table,
                 int tableLength, zeb_LabelUsage& usage, zeb_HeldListing& listing,
                 zeb_LineTally* tally) {
  // The listing is held in blocks as large as it is likely to be, so that
  // it is made and written in few pieces: a line break for each line, and
  // a few bytes for each byte of the text area. Room that stays unused is
  // never touched, and costs no memory the process holds.
  const std::size_t blockSize =
      std::max(zeb_BLOCK_SIZE, static_cast<std::size_t>(std::max(tableLength, 0)) +
                                   kHeldBytesPerTextByte * static_cast<std::size_t>(textLength));
  const std::size_t blockRoom = blockSize + (zeb_BLOCK_ROOM - zeb_BLOCK_SIZE);
  listing.blocks.clear();
  listing.blocks.push_back(std::make_unique<zeb_Text>(blockRoom));
  const auto kept = [&listing, blockRoom](zeb_Text&) -> zeb_Text& {
    listing.blocks.push_back(std::make_unique<zeb_Text>(blockRoom));
    return *listing.blocks.back();
  };
  listRecords<kCount>(text, textLength, table, tableLength, usage, tally, *listing.blocks.back(),
                      kept, blockSize);
}

template <bool kCount>
void passListing(const unsigned char* text, int textLength, const unsigned char* table,
                 int tableLength, zeb_LabelUsage& usage, zeb_ListingOut& out,
                 zeb_LineTally* tally) {
  // One block, written out and filled again whenever it is full: the
  // listing takes no more memory however long it is.
  zeb_Text block(zeb_PASSED_BLOCK_SIZE + (zeb_BLOCK_ROOM - zeb_BLOCK_SIZE));
  const auto written = [&out](zeb_Text& full) -> zeb_Text& {
    out.write(full.data(), full.size());
    full.clear();
    return full;
  };
  const zeb_Text& last = listRecords<kCount>(text, textLength, table, tableLength, usage, tally,
                                             block, written, zeb_PASSED_BLOCK_SIZE);
  out.write(last.data(), last.size());
}

}  // namespace

void zeb_decodeListing(const unsigned char* text, int textLength, const unsigned char* table,
                       int tableLength, zeb_LabelUsage& usage, zeb_HeldListing& listing,
                       zeb_LineTally* tally) {
  if (tally) {
    holdListing<true>(text, textLength, table, tableLength, usage, listing, tally);
  } else {
    holdListing<false>(text, textLength, table, tableLength, usage, listing, nullptr);
  }
}

void zeb_decodeListing(const unsigned char* text, int textLength, const unsigned char* table,
                       int tableLength, zeb_LabelUsage& usage, zeb_ListingOut& out,
                       zeb_LineTally* tally) {
  if (tally) {
    passListing<true>(text, textLength, table, tableLength, usage, out, tally);
  } else {
    passListing<false>(text, textLength, table, tableLength, usage, out, nullptr);
  }
}

void zeb_tallyLines(const unsigned char* text, int textLength, const unsigned char* table,
                    int tableLength, zeb_LineTally& tally) {
  forEachRecord(textLength, table, tableLength, [&](int k, int p, int n) {
    tally.count(zeb_readRecordHead(text + p, n, table[k] & 0xC0));
  });
}

void zeb_makeStoredLines(const zeb_RecordStore& store, zeb_StoredLines& lines,
                         std::vector<uint32_t>& occupied) {
  const std::size_t count = store.size();
  lines.reserve(count);
  occupied.resize(count);
  zeb_Line* made = lines.room();
  for (std::size_t k = 0; k < count; ++k) {
    const zeb_StoredRecord& record = store.record(k);
    new (made + k) zeb_Line(&record);
    occupied[k] = static_cast<uint32_t>(record.lineNumber() - 1);
  }
  lines.added(count);
}
