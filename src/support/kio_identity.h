// The texts by which the program names itself. None ends with a newline.
#ifndef LORVEX_SUPPORT_KIO_IDENTITY_H
#define LORVEX_SUPPORT_KIO_IDENTITY_H

#include <string>

namespace kio {

extern const std::string szTitle;
extern const std::string szVersion;
extern const std::string szCredits;
extern const std::string szUsage;
extern const std::string szRev;
extern const std::string szLast;
extern const std::string szShort_help;

std::string getTitle();
// Title, version number, revision and date cut from the keyword texts, notice.
std::string getVersion();
std::string getUsage();
std::string getShortHelp();
std::string getCredits();

}  // namespace kio

#endif  // LORVEX_SUPPORT_KIO_IDENTITY_H
