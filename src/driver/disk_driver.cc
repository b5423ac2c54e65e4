#include "driver/disk_driver.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>
#include <streambuf>
#include <string>
#include <vector>

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <unistd.h>
#define LORVEX_POSIX_FILES 1
#endif

#include "disk/container.h"
#include "driver/conversion_options.h"
#include "driver/disk_names.h"
#include "driver/disk_options.h"
#include "driver/input.h"
#include "driver/listing.h"
#include "driver/option_table.h"
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

// A host file name as shown: its control bytes as "?", never raw.
std::string hostText(std::string name) {
  for (char& c : name) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  return name;
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

// The listing of one source file, exactly as lorvex writes it to its output
// for the same bytes read under the name e.listedAs, put into `buffer` in
// place of what it held. Decoder warnings name the image and the file.
const std::string& listingOf(ListingBuffer& buffer, const Entry& e, const Request& request,
                             const std::string& imageName) {
  FileWarnings warnings(imageName + ": " + e.shown + ": ");
  zeb_setWarningSink(&warnings);
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

#if defined(LORVEX_POSIX_FILES)
// Creates the file exclusively and writes it whole; false with errno set
// when it could not. The exclusive create fails on an existing name, a
// link included, so no separate look at the name is needed first.
bool createFile(const fs::path& path, const std::string& bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool ok = true;
  const char* at = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, at, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      ok = false;
      break;
    }
    at += n;
    left -= static_cast<std::size_t>(n);
  }
  const int saved = errno;
  if (::close(fd) != 0 && ok) return false;
  errno = saved;
  return ok;
}
#else
bool createFile(const fs::path& path, const std::string& bytes) {
  std::FILE* f = std::fopen(path.string().c_str(), "wbx");
  if (f == nullptr) {
    // Exclusive opening may fail on an existing name without saying so.
    std::error_code ec;
    if (errno == 0 && fs::exists(fs::symlink_status(path, ec))) errno = EEXIST;
    return false;
  }
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  if (std::fclose(f) != 0) ok = false;
  return ok;
}
#endif

// Writes a new file; an existing one is kept unless `force`. Returns false
// with a message printed when the file was not written.
bool writeNewFile(const fs::path& path, const std::string& bytes, bool force) {
  std::error_code ec;
  // A link is replaced, never followed out of the directory.
  if (force) fs::remove(path, ec);
  errno = 0;
  if (createFile(path, bytes)) return true;
  if (errno == EEXIST && !force) {
    std::cerr << "error: " << path.string() << " already exists; left as it is (-f overwrites)"
              << std::endl;
  } else {
    std::cerr << "error: cannot write " << path.string() << ": "
              << std::strerror(errno != 0 ? errno : EIO) << std::endl;
  }
  return false;
}

class DiskRun {
 public:
  explicit DiskRun(Request request) : request_(std::move(request)) {}

  // Returns kOk or kError for one image.
  int image(const std::string& imageName, const std::string& subdirectory);

 private:
  int extract(const std::string& imageName, const std::vector<Entry>& entries,
              const fs::path& dir);

  Request request_;
  ListingBuffer listing_;
};

int DiskRun::image(const std::string& imageName, const std::string& subdirectory) {
  std::vector<std::uint8_t> data;
  if (readImageFile(imageName, data) != ReadStatus::ok) {
    return fail("error: " + imageName + " does not exist or cannot be opened for reading");
  }
  disk::Container container;
  std::string error;
  if (!disk::readContainer(data, imageName, container, error)) {
    return fail("error: " + imageName + ": " + error);
  }

  std::vector<Entry> entries;
  std::vector<std::string> hostNames;
  for (const disk::File& file : container.files) {
    Entry e{&file, displayName(file.name), "", "", "", identify(file.data), true};
    if (container.kind == disk::Kind::plain) {
      e.shown = hostText(fs::path(imageName).stem().string());
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
    e.listedAs = container.kind == disk::Kind::plain ? imageName : e.rawName;
  }

  if (container.kind == disk::Kind::plain && entries.front().variant == zeb_UNIDENTIFIED) {
    return fail("error: " + imageName + " is neither a disk or archive image nor a source image");
  }
  for (const disk::Problem& problem : container.problems) {
    std::string where = imageName + ": ";
    if (problem.file >= 0 && static_cast<std::size_t>(problem.file) < entries.size()) {
      where += entries[static_cast<std::size_t>(problem.file)].shown + ": ";
    }
    std::cerr << where << "warning: " << problem.what << std::endl;
  }

  if (!request_.extractDir.empty()) {
    fs::path dir(request_.extractDir);
    if (!subdirectory.empty()) dir /= subdirectory;
    return extract(imageName, entries, dir);
  }
  if (!request_.print) {
    writeDirectory(std::cout, container, hostText(fs::path(imageName).filename().string()),
                   entries);
    return kOk;
  }
  for (const Entry& e : entries) {
    if (!e.selected || e.variant == zeb_UNIDENTIFIED) continue;
    std::cout << ";; " << imageName << ": " << e.shown << '\n'
              << listingOf(listing_, e, request_, imageName);
  }
  return kOk;
}

int DiskRun::extract(const std::string& imageName, const std::vector<Entry>& entries,
                     const fs::path& dir) {
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (!fs::is_directory(dir, ec)) {
    return fail("error: cannot write " + dir.string() + ": cannot create the directory");
  }
  int status = kOk;
  for (const Entry& e : entries) {
    if (!e.selected) continue;
    if (request_.raw) {
      const std::string bytes(e.file->data.begin(), e.file->data.end());
      if (!writeNewFile(dir / e.rawName, bytes, request_.force)) status = kError;
    }
    if (e.variant == zeb_UNIDENTIFIED) continue;
    const std::string& listing = listingOf(listing_, e, request_, imageName);
    if (!writeNewFile(dir / (e.hostName + ".asm"), listing, request_.force)) status = kError;
  }
  return status;
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
  const char* invocation = argc > 0 && argv[0] ? argv[0] : "lorvex-disk";
  zeb_resetProcessState();
  kio_Getopt options;
  registerDiskOptions(options);
  options.parse(argc, argv);
  if (!options.errors().empty()) return reportParseErrors(options, invocation, diskUsage(), diskShortHelp());

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
