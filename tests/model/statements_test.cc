// Invariants of the statement table that decoder and renderer share.
#include "model/statements.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "model/zeb_line.h"

TEST(Statements, EveryCodeHasARowAndNoOtherDoes) {
  for (int code = 0; code < zeb_STATEMENT_CODES; ++code) EXPECT_NE(zeb_statement(code), nullptr);
  EXPECT_EQ(zeb_statement(-1), nullptr);
  EXPECT_EQ(zeb_statement(zeb_STATEMENT_CODES), nullptr);
}

TEST(Statements, RowsAgreeWithThemselves) {
  std::set<std::string> directives;
  for (int code = 0; code < zeb_STATEMENT_CODES; ++code) {
    const zeb_Statement& s = *zeb_statement(code);
    const std::string text = s.text;
    EXPECT_EQ(s.textLength, text.size()) << code;
    // Codes 0, 5 and 6 make other kinds of line and write no directive.
    EXPECT_EQ(s.pseudo, code != 0 && code != 5 && code != 6) << code;
    EXPECT_EQ(s.kind == zeb_PSEUDO, s.pseudo) << code;
    EXPECT_EQ(text.empty(), !s.pseudo) << code;
    if (!s.pseudo) continue;
    EXPECT_TRUE(directives.insert(text).second) << "directive twice: " << text;
    // A directive ends in a space exactly where an operand follows it; the
    // macro call's "#" runs straight into the macro's name.
    const bool spaced = text.back() == ' ';
    if (s.operand == zeb_Operand::macroCall) {
      EXPECT_EQ(text, "#");
    } else {
      EXPECT_EQ(spaced, s.operand != zeb_Operand::none) << code;
    }
    // Only string operands are converted, and never a file name.
    if (s.literal != zeb_Literal::none) {
      EXPECT_EQ(s.operand, zeb_Operand::string) << code;
    }
  }
}

TEST(Statements, TheLiteralDirectives) {
  const struct {
    int code;
    zeb_Literal literal;
    const char* text;
  } cases[] = {{2, zeb_Literal::text, ".text "},
               {16, zeb_Literal::none, ".include "},
               {23, zeb_Literal::shift, ".shift "},
               {29, zeb_Literal::null, ".null "}};
  for (const auto& c : cases) {
    EXPECT_EQ(zeb_statement(c.code)->operand, zeb_Operand::string) << c.code;
    EXPECT_EQ(zeb_statement(c.code)->literal, c.literal) << c.code;
    EXPECT_STREQ(zeb_statement(c.code)->text, c.text);
  }
}
