// Reading the disk and archive images that hold source images: D64 (35, 40
// and 42 tracks), D71, D81 (each with or without error bytes), T64, LNX,
// the P00 family, and a plain file taken as a single file. Depends on
// nothing else in the program: names are handed out as raw PETSCII.
#ifndef LORVEX_DISK_CONTAINER_H
#define LORVEX_DISK_CONTAINER_H

#include <cstdint>
#include <string>
#include <vector>

namespace disk {

enum class Kind { d64, d71, d81, t64, lnx, p00, plain, count };

// Directory file types, as bits 0-3 of a directory entry's type byte.
enum class FileType { del, seq, prg, usr, rel, cbm, count };

// "d64", "t64", ... ; "plain" for a single plain file.
const char* kindName(Kind kind);
// "del", "seq", "prg", "usr", "rel", "cbm".
const char* typeName(FileType type);

struct File {
  std::string name;  // raw PETSCII, without its $A0 (or, on tapes, space) padding
  FileType type = FileType::prg;
  bool closed = true;
  bool locked = false;
  int blocks = 0;  // the size the directory states; T64, P00, plain: (bytes + 253) / 254
  std::vector<std::uint8_t> data;  // every byte that could be read, load address included
  // The earlier file whose chain (or archive data) this entry starts at as
  // well, so its bytes are that file's; -1 for an entry of its own. Such an
  // entry gets no problems of its own: the first one says how many share it.
  int sameAs = -1;
};

// One thing found wrong on a damaged image. Everything readable is still
// read. The text is plain ASCII, lower-case, without a full stop, and names
// sectors as "track T sector S" and other files as "file N" (an index).
struct Problem {
  int file = -1;     // index into Container::files; -1 for the image itself
  std::string what;  // e.g. "chain loops back to track 17 sector 3"
};

struct Container {
  Kind kind = Kind::plain;
  std::string name;  // disk or archive name, raw PETSCII; empty where there is none
  std::string id;    // disk id and DOS type ("xx 2a"), raw PETSCII; empty where there is none
  bool hasFreeBlocks = false;  // disks only
  int freeBlocks = 0;          // as a listing shows them; d64 of 40 or 42 tracks: tracks 1-35
  std::vector<File> files;     // in directory order, free entries left out
  std::vector<Problem> problems;
};

// Reads an image from its bytes, by its content and size: a disk image of a
// known size, a P00-family file, a T64 or LNX archive by their signatures, a
// disk image cut short, and anything else as a plain file (kind plain, one
// prg file named after `fileName` without directory and extension, the bytes
// whole). `fileName` is consulted only where the content cannot tell (the P00
// family's type letter, a plain file's name). Returns false, with `error`
// set to a sentence, only for an empty input; a damaged image returns true
// with what could be read and its problems.
bool readContainer(const std::vector<std::uint8_t>& bytes, const std::string& fileName,
                   Container& out, std::string& error);

}  // namespace disk

#endif  // LORVEX_DISK_CONTAINER_H
