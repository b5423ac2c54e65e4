// The output for a parsed source: the summary, the listing (one text line
// per line record, optionally numbered), the label list and the mnemonic
// statistics, each as the options ask, in that order.
#ifndef LORVEX_DRIVER_LISTING_H
#define LORVEX_DRIVER_LISTING_H

#include <ostream>
#include <string>

class kio_Getopt;
class zeb_Source;

void writeListing(std::ostream& out, const zeb_Source& source, bool lineNumbers);

void writeParsedSource(std::ostream& out, const zeb_Source& source, const kio_Getopt& options,
                       const std::string& inputName);

#endif  // LORVEX_DRIVER_LISTING_H
