// Writes the lorvex-disk benchmark image: lorvex_bench_disk_image DIR
// DIR/full.d64 is a 35-track disk filled with as many source images of a
// typical size (about 300 lines: constants, subroutines of instructions
// with remarks, strings and tables) as fit, each a little different, in
// the four decoded variants in turn. Deterministic, so that runs compare.
#include <cstdint>
#include <exception>
#include <iostream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "disk/disk_writer.h"
#include "testlib/image_builder.h"

namespace {

using namespace lorvex_test;

constexpr int kBlocks = 664;  // a 35-track disk's blocks off the directory track
constexpr int kMaxFiles = 144;
constexpr int kRoutines = 14;
constexpr int kCommentColumn = 24;

const zeb_SourceType kVariants[] = {zeb_MACRO_8000, zeb_PLAIN_9000, zeb_ALT_9000, zeb_PRO_8A00};

const char* const kRemarks[] = {
    "set up the pointer", "next row", "wait for the raster", "save x", "copy byte", "end of table",
    "high byte",          "low byte", "loop until zero"};
const char* const kTexts[] = {"Press FIRE to start", "Game over", "Score: ", "Level complete!",
                              "Loading..."};

// Instructions with the operand shape each takes.
enum class Shape { none, immediate, zeroPage, absolute, branch };
struct Opcode {
  int byte;
  Shape shape;
};
const Opcode kOpcodes[] = {
    {0xE8, Shape::none},      {0xC8, Shape::none},      {0x18, Shape::none},
    {0x0A, Shape::none},      {0xA9, Shape::immediate}, {0xA2, Shape::immediate},
    {0xC9, Shape::immediate}, {0x29, Shape::immediate}, {0xA5, Shape::zeroPage},
    {0x85, Shape::zeroPage},  {0xB1, Shape::zeroPage},  {0x91, Shape::zeroPage},
    {0xBD, Shape::absolute},  {0x9D, Shape::absolute},  {0xAD, Shape::absolute},
    {0x8D, Shape::absolute},  {0x20, Shape::absolute},  {0x4C, Shape::absolute},
    {0xD0, Shape::branch},    {0xF0, Shape::branch},    {0x90, Shape::branch},
};

class Module {
 public:
  explicit Module(int serial) : serial_(serial), rng_(1000u + static_cast<unsigned>(serial)) {}

  ImageSpec build() {
    layout_.variant = kVariants[serial_ % 4];
    add(commentLine(0, petscii("module " + std::to_string(serial_) + " of a demo")));
    add(emptyLine());
    for (int i = 0; i < 12; ++i) {
      const int own = addLabel("c" + std::to_string(i));
      (i < 6 ? zeroPage_ : registers_).push_back(own);
      add(statement(5, i < 6 ? hex8(0xFB - 2 * i) : hex16(0xD000 + 0x21 * i), own, remark(30)));
    }
    add(statement(6, hex16(0xC000 + 0x400 * (serial_ % 8))));
    for (int k = 0; k < kRoutines; ++k) routines_.push_back(addLabel("r" + std::to_string(k)));
    for (int k = 0; k < 4; ++k) tables_.push_back(addLabel("tab" + std::to_string(k)));
    for (int k = 0; k < kRoutines; ++k) routine(k);
    data();
    return layout_;
  }

 private:
  int pick(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }
  void add(Record r) { layout_.lines.push_back(std::move(r)); }
  int addLabel(const std::string& name) {
    layout_.labels.push_back(name);
    return static_cast<int>(layout_.labels.size()) - 1;
  }
  int any(const std::vector<int>& pool) {
    return pool[static_cast<std::size_t>(pick(static_cast<int>(pool.size())))];
  }
  Bytes remark(int percent) {
    if (pick(100) >= percent) return {};
    return comment(kCommentColumn, petscii(kRemarks[pick(9)]));
  }

  Bytes operand(Shape shape, int local) {
    switch (shape) {
      case Shape::none:
        return {};
      case Shape::immediate:
        return pick(2) ? dec8(pick(256)) : cat({sym('<'), label(any(tables_))});
      case Shape::zeroPage:
        return label(any(zeroPage_));
      case Shape::absolute:
        return pick(3) ? label(any(registers_))
                       : cat({label(any(tables_), false), sym('+'), dec8(1 + pick(7))});
      case Shape::branch:
        return label(local);
    }
    return {};
  }

  void routine(int k) {
    add(emptyLine());
    const int local = addLabel("r" + std::to_string(k) + "_lp");
    const int length = 14 + pick(6);
    for (int i = 0; i < length; ++i) {
      const int own = i == 0 ? routines_[static_cast<std::size_t>(k)] : i == 2 ? local : -1;
      const Opcode& op = kOpcodes[pick(static_cast<int>(sizeof kOpcodes / sizeof kOpcodes[0]))];
      add(instruction(op.byte, operand(op.shape, local), own, remark(30)));
    }
    add(instruction(0x60));
  }

  void data() {
    add(emptyLine());
    add(commentLine(0, petscii("tables and texts")));
    for (int t : tables_) {
      for (int row = 0; row < 4; ++row) {
        Bytes values;
        for (int i = 0; i < 8; ++i) {
          const Bytes v = hex8(pick(256));
          values.insert(values.end(), v.begin(), v.end());
        }
        add(statement(3, values, row == 0 ? t : -1));
      }
    }
    for (const char* text : kTexts) {
      add(statement(2, stringOperand(petscii(text)), addLabel("msg" + std::to_string(pick(100)))));
      add(statement(3, cat({hex8(0x0D), dec8(0)})));
    }
  }

  int serial_;
  std::minstd_rand rng_;
  ImageSpec layout_;
  std::vector<int> zeroPage_, registers_, routines_, tables_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: lorvex_bench_disk_image DIR\n";
    return 1;
  }
  try {
    std::vector<disk_test::TestFile> files;
    int used = 0;
    for (int serial = 1; static_cast<int>(files.size()) < kMaxFiles; ++serial) {
      const Bytes image = buildImage(Module(serial).build()).bytes;
      const int blocks = static_cast<int>((image.size() + 253) / 254);
      if (used + blocks > kBlocks) break;
      used += blocks;
      files.push_back({petscii("module" + std::to_string(serial)), disk::FileType::prg, image});
    }
    disk_test::DiskOptions options;
    options.name = petscii("lorvex bench");
    options.id = petscii("lb 2a");
    const disk_test::WrittenDisk disk = disk_test::writeDisk(disk::Kind::d64, files, options);
    const std::string path = std::string(argv[1]) + "/full.d64";
    if (!writeFile(path, disk.image)) {
      std::cerr << "lorvex_bench_disk_image: cannot write " << path << "\n";
      return 1;
    }
    std::cout << "lorvex_bench_disk_image: " << files.size() << " source images, " << used
              << " blocks, in " << path << "\n";
  } catch (const std::exception& e) {
    std::cerr << "lorvex_bench_disk_image: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
