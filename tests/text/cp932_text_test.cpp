#include <gtest/gtest.h>

#include "text/cp932_text.h"

namespace {

// 0x83 0x6E and 0x83 0x4E are double-byte characters with 'n' and 'N' as
// trail bytes; 0xB1 is a single-byte katakana.
// 0x82 0x81 and 0x82 0x9A are full-width a and z, 0x82 0x60 and 0x82 0x79
// full-width A and Z; 0x82 0x80 and 0x82 0x9B lie just outside.
TEST(Cp932Text, UpperCasesAsciiAndFullWidthLettersOnly)
{
    EXPECT_EQ("NO THANKS 1", UpperCaseCp932("no Thanks 1"));
    EXPECT_EQ(
        "\x83\x6E"
        "A\xB1"
        "B",
        UpperCaseCp932("\x83\x6E"
                       "a\xB1"
                       "b"));
    EXPECT_EQ("100\x82\x60\x82\x79\x82\x80\x82\x9B\x82\x60",
              UpperCaseCp932("100\x82\x81\x82\x9A\x82\x80\x82\x9B\x82\x60"));
    EXPECT_EQ("A\x83", UpperCaseCp932("a\x83"));  // a lead byte cut off at the end
}

TEST(Cp932Text, MatchesStartOnlyOnCharacterBoundaries)
{
    EXPECT_TRUE(ContainsCp932("NONE", "NO"));
    EXPECT_TRUE(
        ContainsCp932("\x83\x4E"
                      "NO",
                      "NO"));
    EXPECT_TRUE(
        ContainsCp932("\xB1"
                      "NO",
                      "NO"));
    EXPECT_FALSE(
        ContainsCp932("\x83\x4E"
                      "O",
                      "NO"));
    EXPECT_TRUE(
        ContainsCp932("\x83\x83\x4E"
                      "O",
                      "NO"));  // 0x83 0x83 is one character
    EXPECT_FALSE(ContainsCp932("N", "NO"));
    EXPECT_FALSE(ContainsCp932("", "NO"));
}

}  // namespace
