#include "support/kio_identity.h"

#include <gtest/gtest.h>

namespace {

TEST(KioIdentity, FormattedTextsUseTheTitle) {
  EXPECT_EQ(kio::getTitle(), "Lorvex");
  EXPECT_EQ(kio::getUsage(), "usage: Lorvex [-options] -i infile [-o outfile]");
  EXPECT_EQ(kio::getShortHelp(), "Lorvex: try 'Lorvex --help' for more information");
}

TEST(KioIdentity, VersionCutsRevisionAndDateFromTheKeywords) {
  EXPECT_EQ(kio::getVersion(),
            "Lorvex v1.3.1 [r1133; 2015-08-09 15:28:18]; by the Lorvex authors");
}

TEST(KioIdentity, CreditsAlignNamesInAFieldOfNine) {
  EXPECT_EQ(kio::getCredits(),
            "\nCredits\n\n"
            "   Author: primary coding, testing\n"
            "Co-author: additional coding\n");
}

}  // namespace
