#include "driver/disk_driver.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>
#include <streambuf>
#include <string>
#include <vector>

#include "disk/container.h"
#include "driver/conversion_options.h"
#include "driver/disk_names.h"
#include "driver/disk_options.h"
#include "driver/host_text.h"
#include "driver/input.h"
#include "driver/listing.h"
#include "driver/option_table.h"
#include "driver/output_cap.h"
#include "driver/output_dir.h"
#include "driver/run_status.h"
#include "model/decode_warnings.h"
#include "petscii/lorvex_global.h"
#include "source/image_header.h"
#include "source/process_state.h"
#include "source/source_id.h"
#include "source/zeb_source.h"
#include "support/kio_identity.h"

namespace fs = std::filesystem;

namespace {


// Extensions that name a container even when the file is missing, so a
// mistyped image is reported rather than taken for a pattern.
const char* const kImageExtensions[] = {".d64", ".d71", ".d81", ".t64", ".lnx"};

bool looksLikeImage(const std::string& word) {
  std::error_code ec;
  if (fs::is_regular_file(word, ec)) return true;
  const std::string ext = lowered(fs::path(word).extension().string());
  for (const char* known : kImageExtensions) {
    if (ext == known) return true;
  }
  // The P00 family: .p00, .s01, ...
  return ext.size() == 4 && std::strchr("psurd", ext[1]) != nullptr && std::isdigit(ext[2]) &&
         std::isdigit(ext[3]);
}

// The first loose word is an image; later ones are images while they look
// like one, and the rest are name patterns.
void splitWords(const std::vector<std::string>& words, std::vector<std::string>& images,
                std::vector<std::string>& patterns) {
  for (const std::string& word : words) {
    if (patterns.empty() && (images.empty() || looksLikeImage(word))) {
      images.push_back(word);
    } else {
      patterns.push_back(word);
    }
  }
}

// Decoder warnings name the image and the file they come from.
class FileWarnings : public zeb_WarningSink {
 public:
  explicit FileWarnings(std::string prefix) : prefix_(std::move(prefix)) {}
  void nullExpression(int lineNumber) override {
    std::cerr << prefix_ << "warning: null expression; line " << lineNumber << std::endl;
  }
  void corruptOperand(int tokenByte, int offset) override {
    std::cerr << prefix_ << "warning: seeing this probably means a corrupt source code file. [1 / "
              << tokenByte << " at " << offset << "]" << std::endl;
  }

 private:
  std::string prefix_;
};

// What the run was asked to do, the same for every image.
struct Request {
  const kio_Getopt* options = nullptr;
  std::vector<std::string> patterns;
  std::string extractDir;  // empty: not extracting
  bool raw = false;
  bool force = false;
  bool print = false;
  bool severalImages = false;
  int tabWidth = 0;
  bool haveTabWidth = false;
};

// One file of an image, as the run sees it.
struct Entry {
  const disk::File* file;
  std::string shown;     // display name
  std::string hostName;  // safe, unique among the image's files
  std::string rawName;   // hostName and the type's extension, as -r writes it
  std::string listedAs;  // the name lorvex reads the file by: rawName, or a plain image's own
  zeb_SourceType variant = zeb_UNIDENTIFIED;
  bool selected = true;
  int origin = 0;  // the file whose bytes these are: its own index, or the one it shares
};

zeb_SourceType identify(const std::vector<std::uint8_t>& data) {
  const auto* bytes = reinterpret_cast<const char*>(data.data());
  const int size = static_cast<int>(data.size());
  return zeb_identify(bytes, size, zeb_readHeader(bytes, size).textStart);
}

bool matchesAny(const std::string& name, const std::vector<std::string>& patterns) {
  if (patterns.empty()) return true;
  for (const std::string& pattern : patterns) {
    if (matchesPattern(name, pattern)) return true;
  }
  return false;
}

std::string plural(int count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string inQuotes(const std::string& name) { return "\"" + name + "\""; }

void writeDirectory(std::ostream& out, const disk::Container& container,
                    const std::string& imageName, const std::vector<Entry>& entries) {
  std::string header = "0 ";
  std::string title = container.kind == disk::Kind::plain ? imageName
                                                          : displayName(container.name);
  if (container.kind != disk::Kind::plain && !title.empty() && title.size() < 16) {
    title.resize(16, ' ');
  }
  header += inQuotes(title) + " ";
  header += container.id.empty() ? disk::kindName(container.kind) : displayName(container.id);
  while (header.back() == ' ') header.pop_back();
  out << header << '\n';

  int files = 0;
  int sources = 0;
  for (const Entry& e : entries) {
    if (!e.selected) continue;
    ++files;
    std::string row = std::to_string(e.file->blocks);
    row.resize(std::max<std::size_t>(row.size() + 1, 5), ' ');
    row += inQuotes(e.shown);
    row.resize(std::max<std::size_t>(row.size() + 1, 5 + 18 + 1), ' ');
    row += e.file->closed ? ' ' : '*';
    row += disk::typeName(e.file->type);
    row += e.file->locked ? '<' : ' ';
    if (e.variant != zeb_UNIDENTIFIED) {
      ++sources;
      row += ' ';
      row += zeb_variant(e.variant).name;
    }
    while (row.back() == ' ') row.pop_back();
    out << row << '\n';
  }
  std::string last;
  if (container.hasFreeBlocks) last = plural(container.freeBlocks, "block", "blocks") + " free; ";
  last += plural(files, "file", "files") + ", " + plural(sources, "source image", "source images");
  out << last << ".\n";
}

// A stream whose bytes are appended to a string. One serves every listing
// of a run, so the string's memory is taken once and reused from file to
// file rather than grown anew for each.
class ListingBuffer : public std::streambuf {
 public:
  std::string text;

 protected:
  int_type overflow(int_type c) override {
    if (!traits_type::eq_int_type(c, traits_type::eof())) text += traits_type::to_char_type(c);
    return traits_type::not_eof(c);
  }
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    text.append(s, static_cast<std::size_t>(n));
    return n;
  }
};

// Warnings that were already given for the same bytes.
class NoWarnings : public zeb_WarningSink {
 public:
  void nullExpression(int) override {}
  void corruptOperand(int, int) override {}
};

// The listing of one source file, exactly as lorvex writes it to its output
// for the same bytes read under the name e.listedAs, put into `buffer` in
// place of what it held. Decoder warnings name the image and the file;
// `quiet` leaves them out.
const std::string& listingOf(ListingBuffer& buffer, const Entry& e, const Request& request,
                             const std::string& shownImage, bool quiet) {
  FileWarnings warnings(shownImage + ": " + e.shown + ": ");
  NoWarnings none;
  zeb_setWarningSink(quiet ? static_cast<zeb_WarningSink*>(&none) : &warnings);
  const std::vector<std::uint8_t>& data = e.file->data;
  buffer.text.clear();
  std::ostream out(&buffer);
  {
    const zeb_Source source(reinterpret_cast<const char*>(data.data()),
                            static_cast<int>(data.size()));
    if (request.haveTabWidth) Lorvex_global::tabWidth = request.tabWidth;
    if (source.isParsed()) {
      writeParsedSource(out, source, *request.options, e.listedAs);
    } else {
      out << "Source file could not be parsed.\n";
    }
  }
  zeb_setWarningSink(nullptr);
  return buffer.text;
}

// Writes a new file in `dir`; an existing one is kept unless `force`.
// Returns false with a message printed when the file was not written.
bool writeNewFile(const OutputDir& dir, const std::string& name, const std::string& bytes,
                  bool force) {
  std::string error;
  switch (dir.writeFile(name, bytes, force, error)) {
    case OutputDir::Status::ok:
      return true;
    case OutputDir::Status::exists:
      if (force) {  // a folder stands there
        fail("error: cannot write " + shownHostName(dir.path() + "/" + name) + ": " +
             std::strerror(EEXIST));
        return false;
      }
      fail("error: " + shownHostName(dir.path() + "/" + name) +
           " already exists; left as it is (-f overwrites)");
      return false;
    default:
      fail("error: cannot write " + shownHostName(dir.path() + "/" + name) + ": " + error);
      return false;
  }
}

class DiskRun {
 public:
  explicit DiskRun(Request request) : request_(std::move(request)) {}

  // Returns kOk or kError for one image.
  int image(const std::string& imageName, const std::string& subdirectory);

 private:
  int extract(const std::string& shownImage, const std::vector<Entry>& entries,
              const std::string& subdirectory);
  int print(const std::string& shownImage, const std::vector<Entry>& entries);
  // True when the decoder's warnings for the entry's bytes were given
  // already (for an earlier entry sharing them); marks them as given.
  bool warnedBefore(const Entry& e);

  std::vector<bool> warned_;  // by file index, for the current image

  Request request_;
  ListingBuffer listing_;
};

int DiskRun::image(const std::string& imageName, const std::string& subdirectory) {
  const std::string shownImage = shownHostName(imageName);
  std::vector<std::uint8_t> data;
  if (readImageFile(imageName, data) != ReadStatus::ok) {
    return fail("error: " + shownImage + " does not exist or cannot be opened for reading");
  }
  disk::Container container;
  std::string error;
  if (!disk::readContainer(data, imageName, container, error)) {
    return fail("error: " + shownImage + ": " + error);
  }

  std::vector<Entry> entries;
  std::vector<std::string> hostNames;
  for (const disk::File& file : container.files) {
    Entry e{&file, displayName(file.name), "", "", "", identify(file.data), true};
    if (container.kind == disk::Kind::plain) {
      e.shown = shownHostName(fs::path(imageName).stem().string());
      hostNames.push_back(safeFileName(e.shown));
    } else {
      hostNames.push_back(safeFileName(Lorvex_global::toASCII(file.name)));
    }
    e.selected = matchesAny(e.shown, request_.patterns);
    entries.push_back(e);
  }
  numberCollisions(hostNames);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    Entry& e = entries[i];
    e.hostName = hostNames[i];
    e.rawName = e.hostName + "." + disk::typeName(e.file->type);
    e.origin = e.file->sameAs >= 0 ? e.file->sameAs : static_cast<int>(i);
    // Under -u a listing holds no control byte, so a plain file's own name
    // in its reports is shown by the host-name rule there.
    e.listedAs = container.kind != disk::Kind::plain ? e.rawName
                 : Lorvex_global::utf8               ? shownHostName(imageName)
                                                     : imageName;
  }

  if (container.kind == disk::Kind::plain && entries.front().variant == zeb_UNIDENTIFIED) {
    return fail("error: " + shownImage + " is neither a disk or archive image nor a source image");
  }
  for (const disk::Problem& problem : container.problems) {
    std::string where = shownImage + ": ";
    if (problem.file >= 0 && static_cast<std::size_t>(problem.file) < entries.size()) {
      where += entries[static_cast<std::size_t>(problem.file)].shown + ": ";
    }
    std::cerr << where << "warning: " << problem.what << std::endl;
  }

  warned_.assign(entries.size(), false);
  if (!request_.extractDir.empty()) return extract(shownImage, entries, subdirectory);
  if (request_.print) return print(shownImage, entries);
  writeDirectory(std::cout, container, shownHostName(fs::path(imageName).filename().string()),
                 entries);
  return kOk;
}

bool DiskRun::warnedBefore(const Entry& e) {
  const auto origin = static_cast<std::size_t>(e.origin);
  if (warned_[origin]) return true;
  warned_[origin] = true;
  return false;
}

int DiskRun::print(const std::string& shownImage, const std::vector<Entry>& entries) {
  OutputBudget budget;
  for (const Entry& e : entries) {
    if (!e.selected || e.variant == zeb_UNIDENTIFIED) continue;
    if (budget.full()) {
      budget.skip();
      continue;
    }
    const std::string header = ";; " + shownImage + ": " + e.shown + "\n";
    const std::string& listing = listingOf(listing_, e, request_, shownImage, warnedBefore(e));
    if (budget.take(header.size() + listing.size())) std::cout << header << listing;
  }
  if (budget.leftOut() == 0) return kOk;
  return fail("error: " + shownImage + ": " + budget.leftOutText());
}

int DiskRun::extract(const std::string& shownImage, const std::vector<Entry>& entries,
                     const std::string& subdirectory) {
  std::string error;
  OutputDir top;
  if (top.openGiven(request_.extractDir, error) != OutputDir::Status::ok) {
    return fail("error: cannot write " + shownHostName(request_.extractDir) +
                ": cannot create the directory");
  }
  OutputDir below;
  if (!subdirectory.empty()) {
    const OutputDir::Status opened = below.openBelow(top, subdirectory, error);
    if (opened == OutputDir::Status::notAFolder) {
      return fail("error: " + shownHostName(below.path()) +
                  " is a link or not a directory; the files of " + shownImage +
                  " are not written");
    }
    if (opened != OutputDir::Status::ok) {
      return fail("error: cannot write " + shownHostName(below.path()) + ": " + error);
    }
  }
  const OutputDir& dir = subdirectory.empty() ? top : below;
  OutputBudget budget;
  int status = kOk;
  for (const Entry& e : entries) {
    if (!e.selected) continue;
    if (request_.raw) {
      const std::string bytes(e.file->data.begin(), e.file->data.end());
      if (!budget.take(bytes.size())) continue;
      if (!writeNewFile(dir, e.rawName, bytes, request_.force)) status = kError;
    }
    if (e.variant == zeb_UNIDENTIFIED) continue;
    if (budget.full()) {
      budget.skip();
      continue;
    }
    const std::string& listing = listingOf(listing_, e, request_, shownImage, warnedBefore(e));
    if (!budget.take(listing.size())) continue;
    if (!writeNewFile(dir, e.hostName + ".asm", listing, request_.force)) status = kError;
  }
  if (budget.leftOut() == 0) return status;
  return fail("error: " + shownImage + ": " + budget.leftOutText());
}

// Image names as subdirectories of the extraction directory: safe and unique.
std::vector<std::string> subdirectoriesFor(const std::vector<std::string>& images) {
  std::vector<std::string> names;
  for (const std::string& image : images) {
    names.push_back(safeFileName(fs::path(image).stem().string()));
  }
  numberCollisions(names);
  return names;
}

}  // namespace

int lorvexDiskMain(int argc, char** argv) {
  const std::string shownInvocation = shownHostName(argc > 0 && argv[0] ? argv[0] : "lorvex-disk");
  const char* invocation = shownInvocation.c_str();
  zeb_resetProcessState();
  kio_Getopt options;
  registerDiskOptions(options);
  options.parse(argc, argv);
  if (!options.errors().empty()) {
    std::vector<std::string> errors;
    for (const std::string& error : options.errors()) errors.push_back(shownHostName(error));
    return reportParseErrors(errors, invocation, diskUsage(), diskShortHelp());
  }

  errno = 0;
  if (options.isOptionSet(szOptVersion)) {
    std::cout << diskVersion() << '\n' << kio::getCredits() << std::endl;
    return checkWritten(std::cout, kStandardOutput);
  }
  if (options.isOptionSet(szOptHelp)) {
    std::cout << diskVersion() << '\n' << diskUsage() << std::endl;
    options.printHelp();
    return checkWritten(std::cout, kStandardOutput);
  }

  Request request;
  request.options = &options;
  std::vector<std::string> images;
  splitWords(options.looseOptions(), images, request.patterns);
  if (images.empty()) {
    std::cerr << invocation << ": no image given" << std::endl;
    std::cerr << diskUsage() << std::endl << diskShortHelp() << std::endl;
    return kError;
  }
  if (options.isOptionSet(szOptExtract)) {
    request.extractDir = options.getArgument(szOptExtract);
    if (request.extractDir.empty()) {
      return fail(std::string(invocation) + ": error: --extract must be followed by a directory");
    }
  }
  request.raw = options.isOptionSet(szOptRaw);
  request.force = options.isOptionSet(szOptForce);
  request.print = options.isOptionSet(szOptPrint);
  if (request.raw && request.extractDir.empty()) {
    return fail(std::string(invocation) + ": error: -r/--raw needs -x/--extract");
  }
  if (request.print && !request.extractDir.empty()) {
    return fail(std::string(invocation) + ": error: -p/--print and -x/--extract exclude each other");
  }
  applyConversionOptions(options);
  Lorvex_global::utf8 = options.isOptionSet(szOptUtf8);
  std::string message;
  if (!readNumberOptions(options, request.tabWidth, request.haveTabWidth, message)) {
    return fail(message);
  }

  const std::vector<std::string> subdirectories =
      images.size() > 1 ? subdirectoriesFor(images) : std::vector<std::string>(images.size());
  DiskRun run(std::move(request));
  int status = kOk;
  for (std::size_t i = 0; i < images.size(); ++i) {
    if (run.image(images[i], subdirectories[i]) != kOk) status = kError;
    if (checkWritten(std::cout, kStandardOutput) != kOk) return kError;
  }
  return status;
}
