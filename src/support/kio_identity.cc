#include "support/kio_identity.h"

#include <initializer_list>

namespace kio {

const std::string szTitle = "Lorvex";
const std::string szVersion = "%s v1.3.1 [r%s; %s]; by the Lorvex authors";
// Contributor names are right-aligned in a field of nine.
const std::string szCredits =
    "\nCredits\n\n"
    "   Author: primary coding, testing\n"
    "Co-author: additional coding\n";
const std::string szUsage = "usage: %s [-options] -i infile [-o outfile]";
const std::string szRev = "$Rev: 1133 $";
const std::string szLast = "$LastChangedDate: 2015-08-09 15:28:18 -0400 (Sun, 09 Aug 2015) $";
const std::string szShort_help = "%s: try '%s --help' for more information";

namespace {

// Replaces each "%s" of the template, in order, by the next of the values.
std::string format(const std::string& pattern, std::initializer_list<std::string> values) {
  std::string text;
  auto value = values.begin();
  std::string::size_type from = 0;
  for (auto at = pattern.find("%s"); at != std::string::npos && value != values.end();
       at = pattern.find("%s", from)) {
    text.append(pattern, from, at - from);
    text += *value++;
    from = at + 2;
  }
  text.append(pattern, from, std::string::npos);
  return text;
}

// The revision and date sit inside expanded version-control keywords:
// "$Rev: N $" and "$LastChangedDate: DATE TIME ZONE (...) $".
std::string revision() { return szRev.substr(6, szRev.rfind(' ') - 6); }
std::string changeDate() { return szLast.substr(18, szLast.rfind('-') - 19); }

}  // namespace

std::string getTitle() { return szTitle; }
std::string getVersion() { return format(szVersion, {szTitle, revision(), changeDate()}); }
std::string getUsage() { return format(szUsage, {szTitle}); }
std::string getShortHelp() { return format(szShort_help, {szTitle, szTitle}); }
std::string getCredits() { return szCredits; }

}  // namespace kio
