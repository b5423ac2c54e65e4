// The reports about a parsed source, written around its listing: the
// statistics summary, the label list, and the detailed or wild mnemonic
// statistics. Each walks the decoded source afresh and changes nothing.
#ifndef LORVEX_DRIVER_REPORTS_H
#define LORVEX_DRIVER_REPORTS_H

#include <ostream>
#include <string>

class zeb_Source;

// inputName is the name the input was read by; empty for standard input.
void writeSummary(std::ostream& out, const zeb_Source& source, const std::string& inputName);
void writeLabelList(std::ostream& out, const zeb_Source& source);
// Written when either flag is set; with both, the detailed form leads.
void writeMnemonicStats(std::ostream& out, const zeb_Source& source, const std::string& inputName,
                        bool detail, bool wild);

// A count's share of the total as the rows print it: two decimals,
// right-aligned in six columns, "0.00" for nothing or no total.
std::string formatPercent(int count, int total);

#endif  // LORVEX_DRIVER_REPORTS_H
