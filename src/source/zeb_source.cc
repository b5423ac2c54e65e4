#include "source/zeb_source.h"

#include <algorithm>

#include "model/label_names.h"
#include "petscii/lorvex_global.h"
#include "source/line_records.h"
#include "source/source_id.h"

std::vector<std::string> zeb_Source::globLabels;

namespace {

constexpr int kLabelAreaMax = 65536;  // the label area is C64 memory from $EC00 up

}  // namespace

zeb_Source::zeb_Source(const char* image, int size) {
  decode(image, size, Records::kWhole, nullptr);
}

zeb_Source::zeb_Source(kio_Bytes&& image, zeb_HeldListing& listing) : image_(std::move(image)) {
  decode(image_.data(), static_cast<int>(image_.size()), Records::kHeld, &listing);
}

zeb_Source::zeb_Source(kio_Bytes&& image) : image_(std::move(image)) {
  decode(image_.data(), static_cast<int>(image_.size()), Records::kPassed, nullptr);
}

void zeb_Source::decodeListing(zeb_ListingOut& out, bool countLines) {
  if (!listingOwed) return;
  listingOwed = false;
  const bool counting = countLines && !tallied;
  zeb_decodeListing(store.text(), static_cast<int>(store.textLength()), keptTable, keptTableLength,
                    labelsUsage, out, counting ? &tally : nullptr);
  tallied = tallied || counting;
}

void zeb_Source::decode(const char* image, int size, Records made, zeb_HeldListing* listing) {
  const zeb_ImageHeader header = zeb_readHeader(image, size);
  Lorvex_global::tabWidth = header.tabColumn;

  sourceType = _idSource(image, header.textStart, size);
  const zeb_Variant& variant = zeb_variant(sourceType);
  if (!variant.decoded) return;

  const auto* bytes = reinterpret_cast<const unsigned char*>(image);
  // Identification guarantees the text area and one byte after it lie in the image.
  const int textLength = variant.top - header.textStart + 1;
  const int tableOffset = zeb_HEADER_SIZE + textLength;
  const int tableLength = header.lastLine + 1;
  const int tablePresent = std::min(tableLength, size - tableOffset);
  const int labelOffset = tableOffset + tableLength;
  const int labelLength = std::clamp(size - labelOffset, 0, kLabelAreaMax);

  labels = zeb_readLabelArea(bytes + std::min(labelOffset, size), labelLength, header.labelEnd);
  labelsUsage.assign(labels.size(), 0);
  globLabels.clear();
  globLabels.reserve(labels.size());
  for (std::size_t i = 0; i < labels.size(); ++i) globLabels.emplace_back(labels.at(i));
  zeb_setPackedNames(zeb_PackedNames{labels.data(), labels.boundOffsets(), globLabels.data(),
                                     static_cast<uint32_t>(labels.size())});

  const unsigned char* text = bytes + zeb_HEADER_SIZE;
  const unsigned char* lineTable = bytes + tableOffset;
  if (made == Records::kWhole) {
    zeb_decodeLines(store, text, textLength, lineTable, tablePresent, labelsUsage);
  } else {
    if (listing) {
      if (listing->tabWidth) Lorvex_global::tabWidth = *listing->tabWidth;
      zeb_decodeListing(text, textLength, lineTable, tablePresent, labelsUsage, *listing,
                        listing->countLines ? &tally : nullptr);
      tallied = listing->countLines;
    }
    listingOwed = made == Records::kPassed;
    store.refer(text, textLength);
    keptTable = lineTable;
    keptTableLength = std::max(tablePresent, 0);
    recordsKept = false;
  }
  lineCount = tablePresent > 0 ? static_cast<unsigned long>(tablePresent) : 0;
  parsed = true;
}

zeb_Source::~zeb_Source() {
  // The names go with this source: renderers fall back on globLabels.
  if (zeb_packedNames().text == labels.data()) zeb_setPackedNames(zeb_PackedNames{});
}

void zeb_Source::keepRecords() const {
  zeb_keepRecords(store, static_cast<int>(store.textLength()), keptTable, keptTableLength);
  recordsKept = true;
}

const zeb_LineTally& zeb_Source::lineTally() const {
  if (!tallied) {
    if (recordsKept) {
      for (std::size_t k = 0; k < store.size(); ++k) {
        const zeb_StoredRecord& r = store.record(k);
        tally.count(zeb_readRecordHead(r.bytes(), r.length(), r.lineClass()));
      }
    } else {
      zeb_tallyLines(store.text(), static_cast<int>(store.textLength()), keptTable,
                     keptTableLength, tally);
    }
    tallied = true;
  }
  return tally;
}

void zeb_Source::makeLines() const {
  if (!recordsKept) keepRecords();
  zeb_makeStoredLines(store, records, occupied);
  linesMade = true;
}

const zeb_Line* zeb_Source::lineAt(unsigned long index) const {
  if (!linesMade) makeLines();
  const auto at = std::lower_bound(occupied.begin(), occupied.end(), index);
  if (at != occupied.end() && *at == index) return &records[at - occupied.begin()];
  if (bareLines.empty()) {
    bareLines.reserve(lineCount);
    for (unsigned long k = 0; k < lineCount; ++k) bareLines.emplace_back(static_cast<int>(k + 1));
  }
  return &bareLines[index];
}

int zeb_Source::_idSource(const char* image, int start, int size) const {
  return zeb_identify(image, size, start);
}

std::string zeb_Source::type() const {
  return zeb_variant(sourceType).name;
}

std::string zeb_Source::toString() const {
  zeb_Text text;
  if (!linesMade) makeLines();
  for (const zeb_Line& line : records) line.writeTo(text);
  return std::string(text.view());
}
