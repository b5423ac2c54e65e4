#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "petscii/lorvex_global.h"

namespace {

// The code lists the table is written from, kept apart from the table itself.
bool listedOneChar(int c) {
  return (c >= 0x20 && c <= 0x5B) || c == 0x5D || c == 0x5E ||
         (c >= 0xC1 && c <= 0xDA);
}

bool listedUnnamed(int c) {
  return c == 0x1B || (c >= 0x60 && c <= 0x80) || (c >= 0x82 && c <= 0x84) ||
         (c >= 0x8D && c <= 0x8F) || c == 0xDE || (c >= 0xE0 && c <= 0xFE);
}

// The character a one-character name stands for: ASCII up to '@', the
// letters a-z for 0x41-0x5A, brackets and caret as is, A-Z for 0xC1-0xDA.
char listedCharacter(int c) {
  if (c >= 0x41 && c <= 0x5A) return static_cast<char>(c + 0x20);
  if (c >= 0xC1) return static_cast<char>(c - 0x80);
  return static_cast<char>(c);
}

bool looksUnnamed(const std::string& name) {
  return name.size() == 3 &&
         name.find_first_of("0123456789") != std::string::npos;
}

std::string threeDigits(int c) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%03d", c);
  return buf;
}

}  // namespace

TEST(BastextTable, EveryEntryPresentNotEmptyAtMostElevenLong) {
  std::size_t longest = 0;
  for (int c = 0; c < 256; ++c) {
    ASSERT_NE(rgszbastext[c], nullptr) << c;
    const std::size_t len = std::strlen(rgszbastext[c]);
    EXPECT_GT(len, 0u) << c;
    longest = std::max(longest, len);
  }
  EXPECT_EQ(longest, 11u);
}

TEST(BastextTable, ClassesMatchTheListedCodes) {
  int oneChar = 0, unnamed = 0, token = 0;
  for (int c = 0; c < 256; ++c) {
    const std::string name = rgszbastext[c];
    const bool isOne = name.size() == 1;
    const bool isUnnamed = looksUnnamed(name);
    oneChar += isOne;
    unnamed += isUnnamed;
    token += !isOne && !isUnnamed;
    EXPECT_EQ(isOne, listedOneChar(c)) << c << " '" << name << "'";
    EXPECT_EQ(isUnnamed, listedUnnamed(c)) << c << " '" << name << "'";
    if (isOne) {
      EXPECT_EQ(name[0], listedCharacter(c)) << c;
    }
    if (isUnnamed) {
      EXPECT_EQ(name, threeDigits(c));
    }
  }
  EXPECT_EQ(oneChar, 88);
  EXPECT_EQ(token, 96);
  EXPECT_EQ(unnamed, 72);
}

TEST(BastextTable, TokenNamesAreDistinct) {
  std::set<std::string> seen;
  for (int c = 0; c < 256; ++c) {
    const std::string name = rgszbastext[c];
    if (name.size() > 1 && !looksUnnamed(name)) {
      EXPECT_TRUE(seen.insert(name).second) << "duplicate '" << name << "'";
    }
  }
}

// Anchors at the start and end of each row catch a row shifted by one.
TEST(BastextTable, NamesAtRowEdges) {
  const struct {
    int code;
    const char* name;
  } cases[] = {
      {0x00, "null"},        {0x05, "white"},      {0x0D, "return"},
      {0x0F, "ct o"},        {0x10, "ct p"},       {0x12, "reverse on"},
      {0x1A, "ct z"},        {0x1C, "red"},        {0x1F, "blue"},
      {0x22, "\""},          {0x5C, "pound"},      {0x5F, "arrow left"},
      {0x81, "orange"},      {0x85, "f1"},         {0x88, "f7"},
      {0x89, "f2"},          {0x8C, "f8"},         {0x90, "black"},
      {0x92, "reverse off"}, {0x99, "light green"}, {0x9F, "cyan"},
      {0xA0, "sh space"},    {0xA4, "cm @"},       {0xA9, "sh pound"},
      {0xAF, "cm p"},        {0xB0, "cm a"},       {0xBA, "sh @"},
      {0xBF, "cm b"},        {0xC0, "sh asterisk"}, {0xDB, "sh +"},
      {0xDD, "sh -"},        {0xDF, "cm asterisk"}, {0xFF, "pi"},
  };
  for (const auto& tc : cases) {
    EXPECT_STREQ(rgszbastext[tc.code], tc.name) << tc.code;
  }
}
