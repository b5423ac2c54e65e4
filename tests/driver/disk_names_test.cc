#include "driver/disk_names.h"

#include <gtest/gtest.h>

#include "testlib/global_state.h"

TEST(DiskNames, ShownAsTheListingWritesText) {
  lorvex_test::GlobalStateGuard guard;
  EXPECT_EQ(displayName("HELLO"), "hello");
  EXPECT_EQ(displayName("\xC8I"), "Hi");
  EXPECT_EQ(displayName("A\x0D" "B"), "a{return}b");  // never a raw control byte
  EXPECT_EQ(displayName("\x93"), "{clear}");
  EXPECT_EQ(displayName("\xFF"), "{pi}");  // would be a DEL byte
}

TEST(DiskNames, PatternsAsOnTheC64) {
  const struct {
    const char* name;
    const char* pattern;
    bool matches;
  } cases[] = {
      {"hello", "hello", true}, {"hello", "HELLO", true}, {"hello", "hell", false},
      {"hello", "hello2", false}, {"hello", "h?llo", true}, {"hello", "h*", true},
      {"hello", "*", true},       {"", "*", true},         {"hello", "x*", false},
      {"hello", "he*zz", true},   {"hi", "h??", false},     {"", "", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(matchesPattern(c.name, c.pattern), c.matches) << c.name << " " << c.pattern;
  }
}

TEST(DiskNames, SafeOnEveryHost) {
  const struct {
    std::string text;
    const char* safe;
  } cases[] = {
      {"hello", "hello"},       {"my prog", "my_prog"},  {"../etc/passwd", "_._etc_passwd"},
      {"a\\b:c", "a_b_c"},      {"", "_"},                {".", "_"},
      {"..", "__"},             {"x.", "x_"},             {"con", "_con"},
      {"Lpt1.txt", "_Lpt1.txt"}, {"v1.0+b-c_d", "v1.0+b-c_d"}, {std::string(70, 'a'), nullptr},
  };
  for (const auto& c : cases) {
    if (c.safe) {
      EXPECT_EQ(safeFileName(c.text), c.safe) << c.text;
    } else {
      EXPECT_EQ(safeFileName(c.text), std::string(64, 'a'));
    }
  }
}

TEST(DiskNames, CollisionsAreNumberedWhateverTheCase) {
  std::vector<std::string> names = {"a", "b", "A", "a", "a_2"};
  numberCollisions(names);
  EXPECT_EQ(names, (std::vector<std::string>{"a", "b", "A_3", "a_4", "a_2"}));
}
