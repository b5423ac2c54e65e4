#include "driver/disk_driver.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "driver/disk_json.h"
#include "driver/disk_names.h"
#include "driver/disk_options.h"
#include "driver/disk_session.h"
#include "driver/input.h"
#include "driver/listing_options.h"
#include "driver/option_table.h"
#include "driver/output_files.h"
#include "driver/run_status.h"
#include "source/process_state.h"
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

// What the run was asked to do, the same for every image.
struct Request {
  ListingOptions listing;
  std::vector<std::string> patterns;
  std::string extractDir;  // empty: not extracting
  bool raw = false;
  bool force = false;
  bool print = false;
  bool json = false;
};

void printLines(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) std::cerr << line << std::endl;
}

class DiskRun {
 public:
  explicit DiskRun(Request request) : request_(std::move(request)) {}

  // Returns kOk or kError for one image. With --json, `separator` goes
  // before the image's object.
  int image(const std::string& imageName, const std::string& subdirectory,
            const char* separator);

 private:
  void print(const DiskSession& session);
  int extract(const DiskSession& session, const fs::path& dir);
  // Writes one output file of -x; false with the message printed when not.
  bool writeListedFile(const fs::path& path, const std::string& bytes);

  Request request_;
  // One listing serves every file of a run: its memory is taken once.
  EntryListing listing_;
};

int DiskRun::image(const std::string& imageName, const std::string& subdirectory,
                   const char* separator) {
  std::vector<std::uint8_t> data;
  if (readImageFile(imageName, data) != ReadStatus::ok) {
    if (!request_.json) return fail(cannotOpenMessage(imageName));
    std::cout << separator << errorJson(imageName, cannotOpenMessage(imageName));
    return kError;
  }
  const DiskSession session(std::move(data), imageName, request_.listing.utf8);
  if (request_.json) {
    std::cout << separator << imageJson(session, request_.patterns);
    return session.isOpen() ? kOk : kError;
  }
  if (!session.isOpen()) return fail(session.error());
  printLines(session.warnings());

  if (!request_.extractDir.empty()) {
    fs::path dir(request_.extractDir);
    if (!subdirectory.empty()) dir /= subdirectory;
    return extract(session, dir);
  }
  if (request_.print) {
    print(session);
  } else {
    std::cout << session.directory(request_.patterns);
  }
  return kOk;
}

void DiskRun::print(const DiskSession& session) {
  for (std::size_t i = 0; i < session.entries().size(); ++i) {
    const SessionEntry& e = session.entries()[i];
    if (!session.selected(i, request_.patterns) || !e.isSource()) continue;
    // The header goes out before the file's warnings, the listing after them.
    std::cout << ";; " << session.imageName() << ": " << e.name << '\n';
    session.listing(i, request_.listing, listing_);
    printLines(listing_.warnings);
    std::cout << listing_.text;
  }
}

int DiskRun::extract(const DiskSession& session, const fs::path& dir) {
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (!fs::is_directory(dir, ec)) {
    return fail("error: cannot write " + dir.string() + ": cannot create the directory");
  }
  int status = kOk;
  for (std::size_t i = 0; i < session.entries().size(); ++i) {
    const SessionEntry& e = session.entries()[i];
    if (!session.selected(i, request_.patterns)) continue;
    if (request_.raw) {
      const std::vector<std::uint8_t>& data = session.bytes(i);
      const std::string bytes(data.begin(), data.end());
      if (!writeListedFile(dir / e.rawName, bytes)) status = kError;
    }
    if (!e.isSource()) continue;
    session.listing(i, request_.listing, listing_);
    printLines(listing_.warnings);
    if (!writeListedFile(dir / (e.hostName + ".asm"), listing_.text)) status = kError;
  }
  return status;
}

bool DiskRun::writeListedFile(const fs::path& path, const std::string& bytes) {
  std::string message;
  if (writeNewFile(path, bytes, request_.force, message)) return true;
  std::cerr << message << std::endl;
  return false;
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
  request.json = options.isOptionSet(szOptJson);
  if (request.raw && request.extractDir.empty()) {
    return fail(std::string(invocation) + ": error: -r/--raw needs -x/--extract");
  }
  if (request.print && !request.extractDir.empty()) {
    return fail(std::string(invocation) + ": error: -p/--print and -x/--extract exclude each other");
  }
  if (request.json && (request.print || !request.extractDir.empty())) {
    return fail(std::string(invocation) +
                ": error: --json excludes -p/--print and -x/--extract");
  }
  std::string message;
  if (!readListingOptions(options, request.listing, message)) return fail(message);
  applyListingOptions(request.listing);

  const std::vector<std::string> subdirectories =
      images.size() > 1 ? subdirectoriesFor(images) : std::vector<std::string>(images.size());
  const bool json = request.json;
  DiskRun run(std::move(request));
  int status = kOk;
  for (std::size_t i = 0; i < images.size(); ++i) {
    const char* separator = !json ? "" : i == 0 ? kJsonArrayOpen : kJsonSeparator;
    if (run.image(images[i], subdirectories[i], separator) != kOk) status = kError;
    if (checkWritten(std::cout, kStandardOutput) != kOk) return kError;
  }
  if (json) {
    std::cout << kJsonArrayClose;
    if (checkWritten(std::cout, kStandardOutput) != kOk) return kError;
  }
  return status;
}
