#include <cstdio>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "petscii/lorvex_global.h"

namespace LG = Lorvex_global;

namespace {

struct Settings {
  int bastextConversion;
  bool rawString;
  int byteColumns;
  bool translateToByteHex;
  bool translateToByte;
  bool fScreen;
  int tabWidth;
};

Settings currentSettings() {
  return {LG::bastextConversion, LG::rawString,       LG::byteColumns,
          LG::translateToByteHex, LG::translateToByte, LG::fScreen,
          LG::tabWidth};
}

void expectStartValues(const Settings& s) {
  EXPECT_EQ(s.bastextConversion, 0);
  EXPECT_FALSE(s.rawString);
  EXPECT_EQ(s.byteColumns, 6);
  EXPECT_FALSE(s.translateToByteHex);
  EXPECT_FALSE(s.translateToByte);
  EXPECT_FALSE(s.fScreen);
  EXPECT_EQ(s.tabWidth, 9);
}

// Read during dynamic initialisation: only constant-initialised settings are
// sure to hold their start values this early.
const Settings kSeenBeforeMain = currentSettings();

std::string allBytes() {
  std::string s;
  for (int c = 0; c < 256; ++c) s += static_cast<char>(c);
  return s;
}

std::string decimal(int c) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "{%03d}", c);
  return buf;
}

std::string hex(int c) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "{$%02x}", c);
  return buf;
}

// The table's own tests tie these classes to the listed codes.
bool hasOneCharName(int c) { return std::strlen(rgszbastext[c]) == 1; }
bool isUnnamed(int c) { return decimal(c) == "{" + std::string(rgszbastext[c]) + "}"; }

class PetsciiTest : public ::testing::Test {
 protected:
  void SetUp() override { LG::resetSettings(); }
  void TearDown() override { LG::resetSettings(); }
};

}  // namespace

TEST_F(PetsciiTest, SettingsStartAtTheirStartValues) {
  expectStartValues(kSeenBeforeMain);
}

TEST_F(PetsciiTest, ResetRestoresEverySetting) {
  LG::bastextConversion = 3;
  LG::rawString = true;
  LG::byteColumns = 1;
  LG::translateToByteHex = true;
  LG::translateToByte = true;
  LG::fScreen = true;
  LG::tabWidth = 40;
  LG::resetSettings();
  expectStartValues(currentSettings());
}

TEST_F(PetsciiTest, ToASCIIByteClassByClass) {
  for (int c = 0; c < 256; ++c) {
    char expected;
    if (c == 0xA0) expected = ' ';
    else if (c == 0xA4) expected = '_';
    else if (c >= 0x41 && c <= 0x5A) expected = static_cast<char>('a' + c - 0x41);
    else if (c >= 0x61 && c <= 0x7A) expected = static_cast<char>('A' + c - 0x61);
    else if (c >= 0xC1 && c <= 0xDA) expected = static_cast<char>('A' + c - 0xC1);
    else if (c >= 0xE1 && c <= 0xFA) expected = static_cast<char>('a' + c - 0xE1);
    else expected = static_cast<char>(c & 0x7F);
    EXPECT_EQ(LG::toASCII(static_cast<unsigned char>(c)), expected) << c;
  }
}

TEST_F(PetsciiTest, ToASCIIExamples) {
  EXPECT_EQ(LG::toASCII(0xA0), ' ');
  EXPECT_EQ(LG::toASCII(0xA4), '_');
  EXPECT_EQ(LG::toASCII(0x8D), '\r');
  EXPECT_EQ(LG::toASCII(0x61), 'A');
  EXPECT_EQ(LG::toASCII(0xE1), 'a');
}

TEST_F(PetsciiTest, ToASCIIStringConvertsEveryByteKeepingLength) {
  const std::string in = allBytes();
  const std::string out = LG::toASCII(in);
  ASSERT_EQ(out.size(), in.size());
  for (int c = 0; c < 256; ++c) {
    EXPECT_EQ(out[c], LG::toASCII(static_cast<unsigned char>(c))) << c;
  }
  EXPECT_EQ(LG::toASCII(std::string("HELLO\xc1")), "hello" "A");
  EXPECT_EQ(LG::toASCII(std::string()), "");
}

TEST_F(PetsciiTest, IsScreenText) {
  EXPECT_TRUE(LG::IsScreenText(""));
  EXPECT_TRUE(LG::IsScreenText(std::string("\x00\x3f\x01 ", 4)));
  EXPECT_FALSE(LG::IsScreenText("\x40"));
  EXPECT_FALSE(LG::IsScreenText("abc\x40"));
  EXPECT_FALSE(LG::IsScreenText("\xff"));  // unsigned, not a negative char
  EXPECT_FALSE(LG::IsScreenText("\x80"));
}

TEST_F(PetsciiTest, ToTokEveryByteUnderEveryConversion) {
  for (int conversion = 0; conversion < 4; ++conversion) {
    LG::bastextConversion = conversion;
    const bool byName = conversion <= 1;
    const bool inHex = conversion == 1 || conversion == 3;
    for (int c = 0; c < 256; ++c) {
      std::string expected;
      if (hasOneCharName(c)) expected = rgszbastext[c];
      else if (byName && !isUnnamed(c)) expected = "{" + std::string(rgszbastext[c]) + "}";
      else expected = inHex ? hex(c) : decimal(c);
      EXPECT_EQ(LG::toTok(static_cast<unsigned char>(c)), expected)
          << "code " << c << " conversion " << conversion;
    }
  }
}

TEST_F(PetsciiTest, ToTokExamples) {
  const struct {
    unsigned char code;
    int conversion;
    const char* expected;
  } cases[] = {
      {0x0D, 0, "{return}"}, {0x0D, 1, "{return}"}, {0x0D, 2, "{013}"},
      {0x0D, 3, "{$0d}"},    {0x60, 0, "{096}"},    {0x60, 1, "{$60}"},
      {0x60, 2, "{096}"},    {0x60, 3, "{$60}"},    {0x1B, 0, "{027}"},
      {0x1B, 1, "{$1b}"},    {0x1B, 2, "{027}"},    {0x1B, 3, "{$1b}"},
      {0x1C, 0, "{red}"},    {0x1C, 1, "{red}"},    {0x85, 0, "{f1}"},
      {0xFF, 1, "{pi}"},     {0xA0, 3, "{$a0}"},    {0xDE, 1, "{$de}"},
      {0x20, 3, " "},        {0x22, 2, "\""},       {0x41, 3, "a"},
      {0xC1, 2, "A"},        {0x00, 2, "{000}"},    {0xFF, 2, "{255}"},
  };
  for (const auto& tc : cases) {
    LG::bastextConversion = tc.conversion;
    EXPECT_EQ(LG::toTok(tc.code), tc.expected)
        << "code " << int{tc.code} << " conversion " << tc.conversion;
  }
}

TEST_F(PetsciiTest, ToTokStringConcatenatesTheBytes) {
  const std::string in = allBytes();
  for (int conversion = 0; conversion < 4; ++conversion) {
    LG::bastextConversion = conversion;
    std::string expected;
    for (int c = 0; c < 256; ++c) expected += LG::toTok(static_cast<unsigned char>(c));
    EXPECT_EQ(LG::toTok(in), expected) << conversion;
    EXPECT_EQ(LG::toTok(std::string()), "");
  }
  LG::resetSettings();
  EXPECT_EQ(LG::toTok(std::string("HI\x0d\x60", 4)), "hi{return}{096}");
}

TEST_F(PetsciiTest, ToScreenCodesBelow64) {
  for (int c = 0; c < 64; ++c) {
    std::string expected;
    if (c == 0) expected = "@";
    else if (c <= 26) expected = std::string(1, static_cast<char>('a' + c - 1));
    else if (c == 27) expected = "[";
    else if (c == 28) expected = "{pound}";
    else if (c == 29) expected = "]";
    else if (c == 30) expected = "^";
    else if (c == 31) expected = "{arrow left}";
    else expected = std::string(1, static_cast<char>(c));
    EXPECT_EQ(LG::toScreen(std::string(1, static_cast<char>(c)), true), expected) << c;
  }
  LG::bastextConversion = 3;
  EXPECT_EQ(LG::toScreen(std::string("\x1c\x1f", 2), true), "{$5c}{$5f}");
}

TEST_F(PetsciiTest, ToScreenPassesHigherCodesToToTok) {
  for (int conversion = 0; conversion < 4; ++conversion) {
    LG::bastextConversion = conversion;
    for (int c = 64; c < 256; ++c) {
      const auto code = static_cast<unsigned char>(c);
      EXPECT_EQ(LG::toScreen(std::string(1, static_cast<char>(code)), true),
                LG::toTok(code))
          << c;
    }
  }
}

TEST_F(PetsciiTest, ToScreenExamplesAndIgnoredFlag) {
  EXPECT_EQ(LG::toScreen("\x08\x05\x0c\x0c\x0f", true), "hello");
  EXPECT_EQ(LG::toScreen(std::string(1, '\0'), true), "@");
  EXPECT_EQ(LG::toScreen("", true), "");
  const std::string in = allBytes();
  EXPECT_EQ(LG::toScreen(in, false), LG::toScreen(in, true));
}
