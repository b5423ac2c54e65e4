#include "driver/disk_driver.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "driver/disk_json.h"
#include "driver/disk_names.h"
#include "driver/disk_options.h"
#include "driver/disk_session.h"
#include "driver/host_text.h"
#include "driver/input.h"
#include "driver/listing_options.h"
#include "driver/option_table.h"
#include "driver/output_cap.h"
#include "driver/output_dir.h"
#include "driver/output_files.h"
#include "driver/run_status.h"
#include "export/source_export.h"
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
  std::optional<lorvex_Target> target;  // --syntax acme|ca65; none: the native listing
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
  int print(const DiskSession& session);
  int extract(const DiskSession& session, const std::string& subdirectory);
  // Writes one output file of -x; false with the message printed when not.
  bool writeListedFile(const OutputDir& dir, const std::string& name, const std::string& bytes);
  // Puts entry i's listing, or with --syntax its export, into listing_.
  // False, with the refusal printed, when the target cannot say it.
  bool convert(const DiskSession& session, std::size_t i);
  // Prints the decoder warnings of entry i's listing, unless an earlier
  // entry sharing its bytes gave them already.
  void warnOnce(const DiskSession& session, std::size_t i);

  Request request_;
  std::vector<bool> warned_;  // by entry, for the current image
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

  warned_.assign(session.entries().size(), false);
  if (!request_.extractDir.empty()) return extract(session, subdirectory);
  if (request_.print) return print(session);
  std::cout << session.directory(request_.patterns);
  return kOk;
}

void DiskRun::warnOnce(const DiskSession& session, std::size_t i) {
  const int sameAs = session.entries()[i].sameAs;
  const std::size_t origin = sameAs >= 0 ? static_cast<std::size_t>(sameAs) : i;
  if (!warned_[origin]) printLines(listing_.warnings);
  warned_[origin] = true;
}

bool DiskRun::convert(const DiskSession& session, std::size_t i) {
  if (!request_.target) {
    session.listing(i, request_.listing, listing_);
    return true;
  }
  std::string refusal;
  session.exported(i, request_.listing, *request_.target, listing_, refusal);
  if (refusal.empty()) return true;
  warnOnce(session, i);
  std::cerr << "error: " << session.shownName() << ": " << session.entries()[i].name << ": "
            << refusal << std::endl;
  return false;
}

int DiskRun::print(const DiskSession& session) {
  OutputBudget budget;
  int status = kOk;
  for (std::size_t i = 0; i < session.entries().size(); ++i) {
    const SessionEntry& e = session.entries()[i];
    if (!session.selected(i, request_.patterns) || !e.isSource()) continue;
    if (budget.full()) {
      budget.skip();
      continue;
    }
    const std::string header = ";; " + session.shownName() + ": " + e.name + "\n";
    if (!convert(session, i)) {
      status = kError;
      continue;
    }
    if (!budget.take(header.size() + listing_.text.size())) continue;
    // The header goes out before the file's warnings, the listing after them.
    std::cout << header;
    warnOnce(session, i);
    std::cout << listing_.text;
  }
  if (budget.leftOut() == 0) return status;
  return fail("error: " + session.shownName() + ": " + budget.leftOutText());
}

int DiskRun::extract(const DiskSession& session, const std::string& subdirectory) {
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
                  " is a link or not a directory; the files of " + session.shownName() +
                  " are not written");
    }
    if (opened != OutputDir::Status::ok) {
      return fail("error: cannot write " + shownHostName(below.path()) + ": " + error);
    }
  }
  const OutputDir& dir = subdirectory.empty() ? top : below;
  OutputBudget budget;
  int status = kOk;
  bool configWritten = false;
  for (std::size_t i = 0; i < session.entries().size(); ++i) {
    const SessionEntry& e = session.entries()[i];
    if (!session.selected(i, request_.patterns)) continue;
    if (request_.raw) {
      const std::vector<std::uint8_t>& data = session.bytes(i);
      if (budget.take(data.size()) &&
          !writeListedFile(dir, e.rawName, std::string(data.begin(), data.end()))) {
        status = kError;
      }
    }
    if (!e.isSource()) continue;
    if (budget.full()) {
      budget.skip();
      continue;
    }
    if (!convert(session, i)) {
      status = kError;
      continue;
    }
    if (!budget.take(listing_.text.size())) continue;
    warnOnce(session, i);
    const lorvex_TargetSyntax* syntax = request_.target ? &lorvex_targetSyntax(*request_.target) : nullptr;
    if (!writeListedFile(dir, e.hostName + (syntax ? syntax->extension : ".asm"), listing_.text)) {
      status = kError;
    } else if (syntax && syntax->configName && !configWritten) {
      // The build command of the exported files reads it beside them.
      configWritten = true;
      if (!writeListedFile(dir, syntax->configName, syntax->configText)) status = kError;
    }
  }
  if (budget.leftOut() == 0) return status;
  return fail("error: " + session.shownName() + ": " + budget.leftOutText());
}

bool DiskRun::writeListedFile(const OutputDir& dir, const std::string& name,
                              const std::string& bytes) {
  std::string message;
  if (writeNewFile(dir, name, bytes, request_.force, message)) return true;
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
  if (options.isOptionSet(szOptSyntax)) {
    const std::string syntax = options.getArgument(szOptSyntax);
    lorvex_Target target = lorvex_Target::acme;
    if (lorvex_targetByName(syntax, target)) {
      request.target = target;
    } else if (syntax != "native") {
      return fail(std::string(invocation) + ": error: --syntax takes native, acme or ca65");
    }
    if (!request.print && request.extractDir.empty()) {
      return fail(std::string(invocation) + ": error: --syntax needs -x/--extract or -p/--print");
    }
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
