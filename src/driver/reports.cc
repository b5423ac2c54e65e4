#include "driver/reports.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string_view>

#include "model/p6502_tables.h"
#include "model/zeb_text.h"
#include "source/zeb_source.h"
#include "support/kio_identity.h"

namespace {

// Mnemonics the wild statistics always show.
const int kWildMnemonics[] = {p6502_mnemonicIndex("jsr"), p6502_mnemonicIndex("lda"),
                              p6502_mnemonicIndex("sta")};

struct LineCounts {
  int blank = 0;
  int opcodes = 0;
  int pseudos = 0;
};

LineCounts countLines(const zeb_Source& source) {
  const zeb_LineTally& tally = source.lineTally();
  LineCounts counts;
  // Lines without a record are bare, and so blank.
  counts.blank = static_cast<int>(source.numberOfLines() - static_cast<unsigned long>(tally.records)) +
                 tally.blank;
  counts.opcodes = tally.opcodes;
  counts.pseudos = tally.pseudos;
  return counts;
}

struct MnemonicCounts {
  int byMnemonic[p6502_MNEMONICS] = {};
  int total = 0;
};

MnemonicCounts countMnemonics(const zeb_Source& source) {
  const zeb_LineTally& tally = source.lineTally();
  MnemonicCounts counts;
  counts.total = tally.opcodes;
  for (int m = 0; m < p6502_MNEMONICS; ++m) counts.byMnemonic[m] = tally.byMnemonic[m];
  return counts;
}

bool isWild(int mnemonic) {
  for (int m : kWildMnemonics) {
    if (m == mnemonic) return true;
  }
  return false;
}

// `value` in decimal, right-aligned in at least `width` columns, as "%*d"
// writes a value of 0 or more; the C library's formatting is not loaded
// for a few rows of a report.
std::string rightAligned(unsigned long long value, std::size_t width) {
  char digits[24];
  char* at = digits + sizeof digits;
  do {
    *--at = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  const std::size_t length = static_cast<std::size_t>(digits + sizeof digits - at);
  std::string text(length < width ? width - length : 0, ' ');
  return text.append(at, length);
}

// A positive finite float times 100, made whole as "%.2f" rounds the
// float's exact value: to the nearest, a tie to the even neighbour.
unsigned long long hundredthsOf(float value) {
  static_assert(std::numeric_limits<float>::is_iec559, "binary32 floats");
  uint32_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  const uint32_t exponent = bits >> 23 & 0xFF;
  const uint32_t mantissa = (bits & 0x7FFFFF) | (exponent != 0 ? 0x800000 : 0);
  // value = mantissa / 2^shift
  const int shift = exponent != 0 ? 150 - static_cast<int>(exponent) : 149;
  const unsigned long long scaled = 100ull * mantissa;
  if (shift <= 0) return scaled << -shift;
  if (shift >= 40) return 0;  // below a four-hundredth
  const unsigned long long half = 1ull << (shift - 1);
  const unsigned long long rest = scaled & ((half << 1) - 1);
  unsigned long long whole = scaled >> shift;
  if (rest > half || (rest == half && (whole & 1) != 0)) ++whole;
  return whole;
}

void writeRow(std::ostream& out, int mnemonic, int count, int total) {
  out << "  " << p6502_TLA[mnemonic] << " :" << rightAligned(static_cast<unsigned>(count), 5)
      << " / " << formatPercent(count, total) << "%\n";
}

// The share is worked out in single precision, and only then widened.
bool wildRemarkDue(const MnemonicCounts& counts) {
  int sum = 0;
  for (int m : kWildMnemonics) sum += counts.byMnemonic[m];
  const float quotient = static_cast<float>(sum) / static_cast<float>(counts.total);
  return static_cast<double>(quotient) > 0.3;
}

}  // namespace

std::string formatPercent(int count, int total) {
  const float percent = static_cast<float>(count) / static_cast<float>(total) * 100.0f;
  if (!(percent > 0)) return "  0.00";
  if (!std::isfinite(percent)) {
    char text[16];
    std::snprintf(text, sizeof text, "%6.2f", static_cast<double>(percent));
    return text;
  }
  const unsigned long long hundredths = hundredthsOf(percent);
  std::string text = rightAligned(hundredths / 100, 3);
  text += '.';
  text += static_cast<char>('0' + hundredths / 10 % 10);
  text += static_cast<char>('0' + hundredths % 10);
  return text;
}

void writeSummary(std::ostream& out, const zeb_Source& source, const std::string& inputName) {
  const LineCounts counts = countLines(source);
  out << kio::getVersion() << '\n';
  out << "Statistics for " << inputName << ":\n\n";
  out << " Source type is: " << source.type() << "\n\n";
  out << "    Total lines: " << source.numberOfLines() << '\n';
  out << "        (blank): " << counts.blank << '\n';
  out << "      (opcodes): " << counts.opcodes << '\n';
  out << "      (pseudos): " << counts.pseudos << "\n\n";
  out << "   Total labels: " << source.numberOfLabels() << "\n\n";
}

void writeLabelList(std::ostream& out, const zeb_Source& source) {
  const char heading[] = "\nLabels (* denotes unreferenced):\n";
  const unsigned long count = source.numberOfLabels();
  // Room for the whole list at once: growing it would copy it and touch
  // twice the memory.
  std::size_t length = sizeof heading - 1;
  for (unsigned long i = 0; i < count; ++i) length += source.labelName(i).size() + 5;
  zeb_Text text(length);
  text.put(heading, sizeof heading - 1);
  for (unsigned long i = 0; i < count; ++i) {
    const std::string_view name = source.labelName(i);
    // A line of the list: its mark, the name and the line break, in room made once.
    char* at = text.reserve(name.size() + 5);
    std::memcpy(at, source.isLabelUsed(i) ? "    " : "  * ", 4);
    zeb_Text::copy(at + 4, name.data(), name.size());
    at[4 + name.size()] = '\n';
    text.commit(at + 5 + name.size());
  }
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

void writeMnemonicStats(std::ostream& out, const zeb_Source& source, const std::string& inputName,
                        bool detail, bool wild) {
  if (!detail && !wild) return;
  const MnemonicCounts counts = countMnemonics(source);
  out << '\n' << (detail ? "Detailed statistics for " : "Wild statistics for ") << inputName
      << ":\n\n";
  for (int m = 0; m < p6502_MNEMONICS; ++m) {
    const int count = counts.byMnemonic[m];
    if ((wild && isWild(m)) || (detail && count > 0)) writeRow(out, m, count, counts.total);
  }
  if (wild && !detail && counts.total > 0 && wildRemarkDue(counts)) {
    out << "\n `I noticed alot of LDA and STA and JSR usage.`\n";
  }
}
