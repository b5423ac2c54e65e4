// One disk or archive image (or a loose source image) opened from its bytes,
// as lorvex-disk shows it: its entries, its directory text, its warnings, and
// the listing and raw bytes of each entry. Bytes in, text out: the session
// reads and writes no file, so a program and an embedding page share it.
//
// Texts are exactly what lorvex-disk prints, line breaks included where it
// prints several lines; single lines (errors, warnings) come without their
// line break. Names follow the UTF-8 setting given at opening.
#ifndef LORVEX_DRIVER_DISK_SESSION_H
#define LORVEX_DRIVER_DISK_SESSION_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "disk/container.h"
#include "export/export_syntax.h"
#include "driver/listing_options.h"
#include "driver/source_labels.h"

// The error line for an image that cannot be read from the host, or one
// larger than any image the programs take; the name shown by the host-name
// rule.
std::string cannotOpenMessage(const std::string& imageName);

struct SessionEntry {
  std::string name;     // as the directory shows it: control codes in braces, never raw
  std::string type;     // "del", "seq", "prg", "usr", "rel", "cbm"
  int blocks = 0;       // as the directory states it
  bool closed = true;   // false: shown with "*" before the type
  bool locked = false;  // true: shown with "<" after the type
  std::string variant;  // the source image's variant; empty when it is none
  std::string hostName;  // safe on every host, unique (ignoring case) within the image;
                         // -x writes the listing as hostName + ".asm"
  std::string rawName;   // hostName + "." + type: the name -r writes the raw bytes by
  std::string listedAs;  // the name the listing's reports give the file
  // The earlier entry whose bytes these are too (entries sharing one chain);
  // -1 for bytes of its own. Its decoder warnings stand for this entry's.
  int sameAs = -1;
  bool isSource() const { return !variant.empty(); }
};

// The header of the directory, as data.
struct SessionImage {
  std::string kind;                // "d64", "d71", "d81", "t64", "lnx", "p00", "plain"
  std::string name;                // disk or archive name as shown; empty where there is none
  std::string id;                  // disk id and DOS type as shown; empty where there is none
  std::optional<int> freeBlocks;   // disks only
};

// What a listing gives beside its text: the label spans suffice to link
// label uses (the page); the labels themselves cost a second pass over
// the source.
enum class ListingExtras { none, spans, spansAndLabels };

struct EntryListing {
  std::string text;                   // as lorvex-disk -p prints it, without the ";;" line
  std::vector<std::string> warnings;  // "IMAGE: NAME: warning: ...", one per decoder warning
  // Filled only when asked for (ListingExtras): label names in `text`, and the labels.
  std::vector<LabelSpan> spans;
  std::vector<LabelInfo> labels;
};

class DiskSession {
 public:
  // Reads the image; `imageName` is the name it goes by in messages (a path
  // as given, or a bare file name). `utf8` shows names as -u does.
  DiskSession(std::vector<std::uint8_t> bytes, std::string imageName, bool utf8 = false);

  // False when the bytes are no image: error() then holds the line
  // lorvex-disk prints, and the session has no entries.
  bool isOpen() const { return error_.empty(); }
  const std::string& error() const { return error_; }
  const std::string& imageName() const { return imageName_; }
  // The image's name as every message and header shows it (the host-name
  // rule of driver/host_text.h).
  const std::string& shownName() const { return shownName_; }

  const SessionImage& image() const { return image_; }
  const std::vector<SessionEntry>& entries() const { return entries_; }
  // Lines about damage found while reading the image, in order.
  const std::vector<std::string>& warnings() const { return warnings_; }

  // True when entry i's name matches one of the patterns (as on the C64:
  // "?" one character, "*" the rest, letters in either case), or there are none.
  bool selected(std::size_t i, const std::vector<std::string>& patterns) const;

  // The directory, only the entries selected by `patterns`.
  std::string directory(const std::vector<std::string>& patterns = {}) const;

  // Decodes and lists entry i under the options. False, with `out` emptied,
  // when i is out of range or the entry is no source image. Changes the
  // process-wide settings (to the options) and label table (to the entry's).
  bool listing(std::size_t i, const ListingOptions& options, EntryListing& out,
               ListingExtras extras = ListingExtras::none) const;

  // Decodes entry i and writes it as `target`'s source into out.text, the
  // decoder's warnings as listing() gives them; of the options only the tab
  // width applies. False, with `out` emptied, when i is out of range or the
  // entry is no source image. When the target cannot say what a line says,
  // out.text stays empty and `refusal` holds "line N: STATEMENT: WHY".
  bool exported(std::size_t i, const ListingOptions& options, lorvex_Target target,
                EntryListing& out, std::string& refusal) const;

  // Entry i's bytes, load address included; empty when i is out of range.
  const std::vector<std::uint8_t>& bytes(std::size_t i) const;

 private:
  std::string imageName_;
  std::string shownName_;
  std::string error_;
  disk::Container container_;
  SessionImage image_;
  std::vector<SessionEntry> entries_;
  std::vector<std::string> warnings_;
};

#endif  // LORVEX_DRIVER_DISK_SESSION_H
