#include "driver/driver.h"

#include <cerrno>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "driver/input.h"
#include "driver/listing.h"
#include "driver/listing_options.h"
#include "driver/option_table.h"
#include "driver/output_position.h"
#include "driver/run_status.h"
#include "model/line_writer.h"
#include "model/decode_warnings.h"
#include "source/process_state.h"
#include "source/zeb_source.h"
#include "support/kio_getopt.h"
#include "support/kio_identity.h"

namespace {

// version outranks usage, which outranks help. False when none was asked.
bool answerIdentityRequest(const kio_Getopt& options) {
  if (options.isOptionSet(szOptVersion)) {
    std::cout << kio::getVersion() << std::endl;
    std::cout << kio::getCredits() << std::endl;
  } else if (options.isOptionSet(szOptUsage)) {
    std::cout << kio::getUsage() << std::endl;
  } else if (options.isOptionSet(szOptHelp)) {
    std::cout << kio::getVersion() << std::endl;
    std::cout << kio::getUsage() << std::endl;
    options.printHelp();
  } else {
    return false;
  }
  return true;
}

std::string inputNameOf(const kio_Getopt& options) {
  if (options.isOptionSet(szOptInFile)) return options.getArgument(szOptInFile);
  const std::vector<std::string> loose = options.looseOptions();
  return loose.empty() ? std::string() : loose.front();
}

int readInput(const std::string& name, ImageBytes& image) {
  if (!name.empty()) {
    if (readImageFile(name, image) != ReadStatus::ok) {
      return fail("error: " + name + " does not exist or cannot be opened for reading");
    }
    return kOk;
  }
  std::string problem;
  if (!setStdinBinary(problem)) return fail("error: while converting stdin to binary: " + problem);
  switch (readImageStdin(image, problem)) {
    case ReadStatus::ok:
      return kOk;
    case ReadStatus::failed:
      return fail("error: cannot read standard input: " + problem);
    case ReadStatus::tooLarge:
      break;
  }
  return fail("error: standard input holds more than " + std::to_string(kMaxImageSize) +
              " bytes, more than any source image");
}

// How the listing is made: decoded whole and then listed, listed while
// it is decoded and held until the decoder has said all it has to say, or
// listed while it is decoded and written as it is made.
enum class Listed { kAfter, kHeld, kPassed };

void writeOutput(std::ostream& out, zeb_Source& source, bool idOnly, const ListingOptions& listing,
                 const std::string& inputName, Listed listed, const zeb_HeldListing& held,
                 bool warningsInOut) {
  if (idOnly) {
    out << source.type() << std::endl;
  } else if (source.isParsed()) {
    if (listed == Listed::kPassed) {
      writePassedSource(out, source, listing, inputName, warningsInOut);
    } else {
      writeParsedSource(out, source, listing, inputName, nullptr,
                        listed == Listed::kHeld ? &held : nullptr);
    }
  } else {
    out << "Source file could not be parsed." << std::endl;
  }
}

}  // namespace

int lorvexMain(int argc, char** argv) {
  const char* invocation = argc > 0 && argv[0] ? argv[0] : "lorvex";
  // Nothing an earlier run in this process set may change this one.
  zeb_resetProcessState();
  kio_Getopt options;
  registerOptions(options);
  options.parse(argc, argv);
  if (!options.errors().empty()) return reportParseErrors(options, invocation, kio::getUsage(), kio::getShortHelp());
  errno = 0;
  if (answerIdentityRequest(options)) return checkWritten(std::cout, kStandardOutput);

  ListingOptions listing;
  std::string message;
  if (!readListingOptions(options, listing, message)) return fail(message);
  applyListingOptions(listing);

  const std::string inputName = inputNameOf(options);
  std::ofstream file;
  std::ostream* out = &std::cout;
  std::string outName = kStandardOutput;
  if (options.isOptionSet(szOptOutFile)) {
    outName = options.getArgument(szOptOutFile);
    if (outName.empty()) {
      return fail(std::string(invocation) + ": error: --out must be followed by a filename");
    }
    // Opening the output empties it: never when it is the image to be read.
    if (isSameFileAsInput(inputName, outName)) {
      return fail("error: " + outName + " is the input file and cannot also be the output file");
    }
    file.open(outName);
    if (!file.is_open()) {
      return fail("error: " + outName + " does not exist or cannot be opened for writing");
    }
    out = &file;
  }

  ImageBytes image;
  if (readInput(inputName, image) != kOk) return kError;

  // The decoder's warnings go to this program's streams, as they always have.
  zeb_StreamWarnings warnings;
  zeb_setWarningSink(&warnings);
  // A listing the source can write while it decodes is made that way. It
  // is written as it is made to a file of its own, where the decoder's
  // warnings cannot come after it, and to a standard output that can be
  // written over again after them; else it is held, and written once the
  // decoder has said all it has to say.
  const bool idOnly = options.isOptionSet(szOptID);
  Listed listed = Listed::kAfter;
  if (!idOnly && listedWhileDecoded(listing)) {
    const bool passed =
        file.is_open() ? outputFileOfItsOwn(outName) : standardOutputRewindable();
    listed = passed ? Listed::kPassed : Listed::kHeld;
  }
  zeb_HeldListing held;
  held.tabWidth = listing.tabWidth;
  held.countLines = listing.stats || listing.statsDetail || listing.statsWild;
  std::unique_ptr<zeb_Source> source;
  if (listed == Listed::kPassed) {
    source = std::make_unique<zeb_Source>(std::move(image));
  } else if (listed == Listed::kHeld) {
    source = std::make_unique<zeb_Source>(std::move(image), held);
  } else {
    source = std::make_unique<zeb_Source>(image.data(), static_cast<int>(image.size()));
  }
  errno = 0;
  writeOutput(*out, *source, idOnly, listing, inputName, listed, held, !file.is_open());
  zeb_setWarningSink(nullptr);
  if (checkWritten(*out, outName) != kOk) return kError;
  if (file.is_open()) {
    file.close();
    if (file.fail()) return checkWritten(file, outName);
  }
  return kOk;
}
