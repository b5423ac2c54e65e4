// The output for a parsed source: the summary, the listing (one text line
// per line record, optionally numbered), the label list and the mnemonic
// statistics, each as the options ask, in that order.
#ifndef LORVEX_DRIVER_LISTING_H
#define LORVEX_DRIVER_LISTING_H

#include <ostream>
#include <string>
#include <vector>

#include "driver/listing_options.h"
#include "driver/source_labels.h"

class zeb_Source;
struct zeb_HeldListing;

// With `spans`, every label name written is reported to it, its offset
// counted from the listing's first byte.
void writeListing(std::ostream& out, const zeb_Source& source, bool lineNumbers,
                  LabelSpanCollector* spans = nullptr);

// The options' tab width, when they carry one, replaces the image's own in
// the settings before anything is rendered. With `spans`, the label names
// of the listing part are appended to it, offsets counted from the first
// byte this call writes. The source's listing is `held` when the source
// wrote it while it was decoded (see listedWhileDecoded).
void writeParsedSource(std::ostream& out, const zeb_Source& source, const ListingOptions& options,
                       const std::string& inputName, std::vector<LabelSpan>* spans = nullptr,
                       const zeb_HeldListing* held = nullptr);

// Writes what writeParsedSource writes, for a source that decodes its
// records while it lists them (zeb_Source(kio_Bytes&&)): the listing goes
// to `out` block by block as it is made, and is never held whole. Where
// the decoder's warnings go to `out` as well (`warningsInOut`), they must
// come before everything this call writes: they are kept meanwhile, and
// if there are any, `out` is sent back to where this call began and all
// of it written again after them. That takes an `out` that can be sought
// in and does not append.
void writePassedSource(std::ostream& out, zeb_Source& source, const ListingOptions& options,
                       const std::string& inputName, bool warningsInOut);

// Whether the listing the options ask for is one a source can write while
// it is decoded (unnumbered, and nothing told of its label names): that
// saves reading every record twice.
bool listedWhileDecoded(const ListingOptions& options);

#endif  // LORVEX_DRIVER_LISTING_H
