#include <gtest/gtest.h>

#include <string>

#include "text/cp932_text.h"

#ifdef _WIN32
#include <windows.h>
#endif

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

#ifdef _WIN32
// The program's own code page 932 rules held to the platform's, whatever the
// system's code page is.

TEST(Cp932Text, LeadBytesAreThePlatformsForEveryByte)
{
    for (int byte = 0; byte <= 0xFF; ++byte) {
        EXPECT_EQ(IsDBCSLeadByteEx(932, static_cast<BYTE>(byte)) != 0,
                  IsCp932LeadByte(static_cast<unsigned char>(byte)))
            << std::hex << byte;
    }
}

// The platform's half-width form of code page 932 text. LCMapStringA with
// LCMAP_HALFWIDTH gives each character's narrow form where it has one, as
// the IME's half-width conversion types it, and converts through the given
// locale's own code page whatever the system's is. FoldStringA answers other
// questions: MAP_FOLDDIGITS maps the digits of every script to 0-9 and leaves
// blank and signs alone, and MAP_FOLDCZONE, a compatibility normalization,
// also turns circled and superscript digits into plain ones.
std::string PlatformHalfWidth(const std::string& text)
{
    const LCID japanese = MAKELCID(MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT), SORT_DEFAULT);
    char half[16];
    const int length =
        LCMapStringA(japanese, LCMAP_HALFWIDTH, text.data(), static_cast<int>(text.size()), half, sizeof half);
    return std::string(half, length > 0 ? length : 0);
}

// What the number fields read as a digit, blank or sign is what the platform
// folds into one; every other double-byte character of code page 932 stays
// as it is, and the platform folds none of them into one.
TEST(Cp932Text, FoldsTheNumberCharactersThePlatformFolds)
{
    const struct {
        const char* fullWidth;
        const char* ascii;
    } numberCharacters[] = {
        {"０", "0"}, {"１", "1"}, {"２", "2"}, {"３", "3"}, {"４", "4"}, {"５", "5"}, {"６", "6"},
        {"７", "7"}, {"８", "8"}, {"９", "9"}, {"　", " "}, {"＋", "+"}, {"－", "-"},
    };
    for (const auto& c : numberCharacters) {
        EXPECT_EQ(c.ascii, PlatformHalfWidth(c.fullWidth)) << c.ascii;
        EXPECT_EQ(c.ascii, HalfWidthNumberText(c.fullWidth)) << c.ascii;
    }

    const auto isNumberCharacter = [&](const std::string& pair) {
        for (const auto& c : numberCharacters)
            if (pair == c.fullWidth) return true;
        return false;
    };
    for (int lead = 0; lead <= 0xFF; ++lead) {
        if (!IsDBCSLeadByteEx(932, static_cast<BYTE>(lead))) continue;
        for (int trail = 0; trail <= 0xFF; ++trail) {
            const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
            if (isNumberCharacter(pair)) continue;
            const std::string half = PlatformHalfWidth(pair);
            EXPECT_FALSE(half.size() == 1 && std::string("0123456789 +-").find(half[0]) != std::string::npos)
                << std::hex << lead << ' ' << trail << " is \"" << half << '"';
            EXPECT_EQ(pair, HalfWidthNumberText(pair)) << std::hex << lead << ' ' << trail;
        }
    }
}
#endif

}  // namespace
