#include "driver/disk_session.h"

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <streambuf>
#include <utility>

#include "driver/disk_names.h"
#include "driver/host_text.h"
#include "driver/input.h"
#include "driver/listing.h"
#include "export/source_export.h"
#include "model/decode_warnings.h"
#include "petscii/lorvex_global.h"
#include "source/image_header.h"
#include "source/source_id.h"
#include "source/zeb_source.h"

namespace fs = std::filesystem;

namespace {

// Decoder warnings name the image and the file they come from.
class CollectedWarnings : public zeb_WarningSink {
 public:
  CollectedWarnings(std::string prefix, std::vector<std::string>& lines)
      : prefix_(std::move(prefix)), lines_(lines) {}
  void nullExpression(int lineNumber) override {
    lines_.push_back(prefix_ + "warning: null expression; line " + std::to_string(lineNumber));
  }
  void corruptOperand(int tokenByte, int offset) override {
    lines_.push_back(prefix_ +
                     "warning: seeing this probably means a corrupt source code file. [1 / " +
                     std::to_string(tokenByte) + " at " + std::to_string(offset) + "]");
  }

 private:
  std::string prefix_;
  std::vector<std::string>& lines_;
};

// A stream whose bytes are appended to a string the caller owns.
class StringBuffer : public std::streambuf {
 public:
  explicit StringBuffer(std::string& text) : text_(text) {}

 protected:
  int_type overflow(int_type c) override {
    if (!traits_type::eq_int_type(c, traits_type::eof())) text_ += traits_type::to_char_type(c);
    return traits_type::not_eof(c);
  }
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    text_.append(s, static_cast<std::size_t>(n));
    return n;
  }

 private:
  std::string& text_;
};

zeb_SourceType identify(const std::vector<std::uint8_t>& data) {
  const auto* bytes = reinterpret_cast<const char*>(data.data());
  const int size = static_cast<int>(data.size());
  return zeb_identify(bytes, size, zeb_readHeader(bytes, size).textStart);
}

std::string plural(int count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string inQuotes(const std::string& name) { return "\"" + name + "\""; }

// Shows names under the given UTF-8 setting, whatever the settings were.
class NameSetting {
 public:
  explicit NameSetting(bool utf8) : saved_(Lorvex_global::utf8) { Lorvex_global::utf8 = utf8; }
  ~NameSetting() { Lorvex_global::utf8 = saved_; }
  NameSetting(const NameSetting&) = delete;
  NameSetting& operator=(const NameSetting&) = delete;

 private:
  bool saved_;
};

}  // namespace

std::string cannotOpenMessage(const std::string& imageName) {
  return "error: " + shownHostName(imageName) + " does not exist or cannot be opened for reading";
}

DiskSession::DiskSession(std::vector<std::uint8_t> bytes, std::string imageName, bool utf8)
    : imageName_(std::move(imageName)), shownName_(shownHostName(imageName_)) {
  if (bytes.size() > kMaxImageSize) {
    error_ = cannotOpenMessage(imageName_);
    return;
  }
  std::string unreadable;
  if (!disk::readContainer(bytes, imageName_, container_, unreadable)) {
    error_ = "error: " + shownName_ + ": " + unreadable;
    return;
  }
  bytes = std::vector<std::uint8_t>();
  const bool plain = container_.kind == disk::Kind::plain;
  if (plain && identify(container_.files.front().data) == zeb_UNIDENTIFIED) {
    error_ = "error: " + shownName_ + " is neither a disk or archive image nor a source image";
    container_ = disk::Container();
    return;
  }

  const NameSetting names(utf8);
  image_.kind = disk::kindName(container_.kind);
  image_.name = displayName(container_.name);
  image_.id = displayName(container_.id);
  if (container_.hasFreeBlocks) image_.freeBlocks = container_.freeBlocks;

  std::vector<std::string> hostNames;
  for (const disk::File& file : container_.files) {
    SessionEntry e;
    e.type = disk::typeName(file.type);
    e.blocks = file.blocks;
    e.closed = file.closed;
    e.locked = file.locked;
    const zeb_SourceType variant = identify(file.data);
    if (variant != zeb_UNIDENTIFIED) e.variant = zeb_variant(variant).name;
    if (plain) {
      e.name = shownHostName(fs::path(imageName_).stem().string());
      hostNames.push_back(safeFileName(e.name));
    } else {
      e.name = displayName(file.name);
      hostNames.push_back(safeFileName(Lorvex_global::toASCII(file.name)));
    }
    entries_.push_back(std::move(e));
  }
  numberCollisions(hostNames);
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    SessionEntry& e = entries_[i];
    e.hostName = hostNames[i];
    e.rawName = e.hostName + "." + e.type;
    e.sameAs = container_.files[i].sameAs;
    // Under -u a listing holds no control byte, so a plain file's own name
    // in its reports goes by the host-name rule there.
    e.listedAs = !plain ? e.rawName : utf8 ? shownName_ : imageName_;
  }

  for (const disk::Problem& problem : container_.problems) {
    std::string where = shownName_ + ": ";
    if (problem.file >= 0 && static_cast<std::size_t>(problem.file) < entries_.size()) {
      where += entries_[static_cast<std::size_t>(problem.file)].name + ": ";
    }
    warnings_.push_back(where + "warning: " + problem.what);
  }
}

bool DiskSession::selected(std::size_t i, const std::vector<std::string>& patterns) const {
  if (i >= entries_.size()) return false;
  if (patterns.empty()) return true;
  for (const std::string& pattern : patterns) {
    if (matchesPattern(entries_[i].name, pattern)) return true;
  }
  return false;
}

std::string DiskSession::directory(const std::vector<std::string>& patterns) const {
  if (!isOpen()) return std::string();
  std::string header = "0 ";
  std::string title = container_.kind == disk::Kind::plain
                          ? shownHostName(fs::path(imageName_).filename().string())
                          : image_.name;
  if (container_.kind != disk::Kind::plain && !title.empty() && title.size() < 16) {
    title.resize(16, ' ');
  }
  header += inQuotes(title) + " ";
  header += image_.id.empty() ? image_.kind : image_.id;
  while (header.back() == ' ') header.pop_back();
  std::string out = header + '\n';

  int files = 0;
  int sources = 0;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (!selected(i, patterns)) continue;
    const SessionEntry& e = entries_[i];
    ++files;
    std::string row = std::to_string(e.blocks);
    row.resize(std::max<std::size_t>(row.size() + 1, 5), ' ');
    row += inQuotes(e.name);
    row.resize(std::max<std::size_t>(row.size() + 1, 5 + 18 + 1), ' ');
    row += e.closed ? ' ' : '*';
    row += e.type;
    row += e.locked ? '<' : ' ';
    if (e.isSource()) {
      ++sources;
      row += ' ';
      row += e.variant;
    }
    while (row.back() == ' ') row.pop_back();
    out += row + '\n';
  }
  std::string last;
  if (image_.freeBlocks) last = plural(*image_.freeBlocks, "block", "blocks") + " free; ";
  last += plural(files, "file", "files") + ", " + plural(sources, "source image", "source images");
  return out + last + ".\n";
}

bool DiskSession::listing(std::size_t i, const ListingOptions& options, EntryListing& out,
                          ListingExtras extras) const {
  out.text.clear();
  out.warnings.clear();
  out.spans.clear();
  out.labels.clear();
  if (i >= entries_.size() || !entries_[i].isSource()) return false;
  const SessionEntry& e = entries_[i];
  applyListingOptions(options);
  CollectedWarnings warnings(shownName_ + ": " + e.name + ": ", out.warnings);
  zeb_setWarningSink(&warnings);
  StringBuffer buffer(out.text);
  std::ostream stream(&buffer);
  {
    const std::vector<std::uint8_t>& data = container_.files[i].data;
    const zeb_Source source(reinterpret_cast<const char*>(data.data()),
                            static_cast<int>(data.size()));
    if (source.isParsed()) {
      writeParsedSource(stream, source, options, e.listedAs,
                        extras != ListingExtras::none ? &out.spans : nullptr);
      if (extras == ListingExtras::spansAndLabels) out.labels = labelsOf(source);
    } else {
      stream << "Source file could not be parsed.\n";
    }
  }
  zeb_setWarningSink(nullptr);
  return true;
}

bool DiskSession::exported(std::size_t i, const ListingOptions& options, lorvex_Target target,
                           EntryListing& out, std::string& refusal) const {
  out.text.clear();
  out.warnings.clear();
  out.spans.clear();
  out.labels.clear();
  refusal.clear();
  if (i >= entries_.size() || !entries_[i].isSource()) return false;
  const SessionEntry& e = entries_[i];
  applyListingOptions(options);
  CollectedWarnings warnings(shownName_ + ": " + e.name + ": ", out.warnings);
  zeb_setWarningSink(&warnings);
  {
    const std::vector<std::uint8_t>& data = container_.files[i].data;
    const zeb_Source source(reinterpret_cast<const char*>(data.data()),
                            static_cast<int>(data.size()));
    if (options.tabWidth) Lorvex_global::tabWidth = *options.tabWidth;
    lorvex_ExportOptions exportOptions;
    exportOptions.target = target;
    // An .include names a file of the same image: its export's name.
    exportOptions.includedFile = [this, target](std::string_view rawName) {
      for (std::size_t j = 0; j < entries_.size(); ++j) {
        if (container_.files[j].name == rawName)
          return entries_[j].hostName + lorvex_targetSyntax(target).extension;
      }
      return lorvex_defaultIncludedFile(rawName, target);
    };
    if (!source.isParsed()) {
      refusal = "the source image could not be decoded";
    } else if (!lorvex_exportSource(source, exportOptions, out.text, refusal)) {
      out.text.clear();
    }
  }
  zeb_setWarningSink(nullptr);
  return true;
}

const std::vector<std::uint8_t>& DiskSession::bytes(std::size_t i) const {
  static const std::vector<std::uint8_t> kNone;
  return i < container_.files.size() ? container_.files[i].data : kNone;
}
