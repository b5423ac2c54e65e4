// The JSON form of images' directories, as lorvex-disk --json prints it: one
// array, one object per image (its entries, their variants, its warnings),
// an image that could not be read as an object with its error line. The
// fields are described in docs/json.md.
#ifndef LORVEX_DRIVER_DISK_JSON_H
#define LORVEX_DRIVER_DISK_JSON_H

#include <string>
#include <vector>

class DiskSession;

// The text as a JSON string, quotes included: '"', '\' and every code below
// $20 or $7F escaped, bytes that are not valid UTF-8 as U+FFFD.
std::string jsonString(const std::string& text);

// The image's object, its entries only those the patterns select; an image
// that is not open becomes an error object. Starts with "{" and ends with
// "}", indented to stand as an array element; no line break after it.
std::string imageJson(const DiskSession& session, const std::vector<std::string>& patterns);
// The object of an image that could not be read at all.
std::string errorJson(const std::string& imageName, const std::string& error);

// The array around the objects, one after another: what comes before the
// first, between two, and after the last.
extern const char kJsonArrayOpen[];
extern const char kJsonSeparator[];
extern const char kJsonArrayClose[];

#endif  // LORVEX_DRIVER_DISK_JSON_H
