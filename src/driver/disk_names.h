// The names of files on a disk or archive, as lorvex-disk shows them, picks
// them by pattern, and stores them on the host.
#ifndef LORVEX_DRIVER_DISK_NAMES_H
#define LORVEX_DRIVER_DISK_NAMES_H

#include <string>
#include <vector>

// The text with its ASCII letters in lower case.
std::string lowered(std::string text);

// A PETSCII name as the listing writes text: converted as labels are, and
// every code that would reach the terminal as a control byte written in
// the listing's brace notation ({return}), so nothing raw is printed; with
// the UTF-8 setting, graphics as the characters they show.
std::string displayName(const std::string& petscii);

// A host file name as shown: its control bytes as "?", never raw.
std::string hostText(std::string name);

// True when `name` (a display name) matches `pattern` as on the C64: `?`
// stands for any one character, `*` for whatever follows; letters match
// whatever their case.
bool matchesPattern(const std::string& name, const std::string& pattern);

// A name safe as a file name on every host system: letters, digits, ".",
// "_", "+" and "-" only (anything else becomes "_"), never empty, never
// starting or ending with ".", no device name of any system, at most 64
// characters.
std::string safeFileName(const std::string& text);

// Makes each name of the list unique, ignoring case (hosts that ignore it
// would merge them), by numbering the second and later: NAME_2, NAME_3...
void numberCollisions(std::vector<std::string>& names);

#endif  // LORVEX_DRIVER_DISK_NAMES_H
