// The listing and report options of both programs as plain data: filled
// from a command line, taken by the listing code and by a disk session, and
// put into the process-wide settings in one place.
#ifndef LORVEX_DRIVER_LISTING_OPTIONS_H
#define LORVEX_DRIVER_LISTING_OPTIONS_H

#include <optional>
#include <string>

class kio_Getopt;

struct ListingOptions {
  bool omitSource = false;          // -O: no listing, the reports only
  bool byteDec = false;             // -b: literals as decimal .byte lines (wins over byteHex)
  bool byteHex = false;             // -B: literals as hex .byte lines
  std::optional<int> byteColumns;   // -W: values per .byte line; none: the default
  bool screen = false;              // -S: literals of screen codes below 64 as .screen
  int bastextConversion = 0;        // 0 named codes only, 1 -t, 2 --petscii-dec, 3 -T
  bool listLabels = false;          // -l: the label list after the listing
  bool lineNumbers = false;         // -n: each line behind its number
  std::optional<int> tabWidth;      // -w: the label field's width; none: the image's own
  bool stats = false;               // -s: the summary before the listing
  bool statsDetail = false;         // -z: every mnemonic's count after it
  bool statsWild = false;           // -Z: the wild statistics after it
  bool utf8 = false;                // lorvex-disk -u: PETSCII graphics as UTF-8
};

// Reads the options from a parser that registered them by the option
// table's names (an option not registered reads as not given). On a bad
// -w or -W value returns false with `message` holding that option's error
// text, and `out` partly filled.
bool readListingOptions(const kio_Getopt& parser, ListingOptions& out, std::string& message);

// Puts the options into the process-wide settings, starting from their
// start values, so nothing of an earlier run survives. The tab width is not
// among them: decoding sets the image's own, and the listing code replaces
// it afterwards when the options carry one.
void applyListingOptions(const ListingOptions& options);

#endif  // LORVEX_DRIVER_LISTING_OPTIONS_H
