#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "help/tooltip_texts.h"
#include "res/resource.h"

namespace {

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
}

uint64_t Fnv1a(const std::string& text)
{
    uint64_t hash = 0xcbf29ce484222325u;
    for (unsigned char byte : text) hash = (hash ^ byte) * 0x100000001b3u;
    return hash;
}

struct Expected {
    unsigned id;
    size_t bytes;
    size_t lines;
    uint64_t digest;  // FNV-1a of the whole text in code page 932
};

const Expected kTexts[] = {
    {1000, 141, 2, 0x5dccd3b72ca0ffccu}, {1001, 234, 3, 0x844c3471ecd0a369u}, {1002, 31, 1, 0xbf4063b65943d50au},
    {1003, 168, 3, 0x9c2155f816618721u}, {1004, 114, 2, 0x7e871f77990d8c17u}, {1005, 205, 4, 0x8bef165bc0054581u},
    {1006, 196, 3, 0x30e8e018503634b9u}, {1007, 62, 1, 0x47ce622bc6ea1661u},  {1008, 71, 1, 0x35e483939373b5ebu},
    {1009, 109, 2, 0x61826ec717f85ec0u}, {1011, 151, 3, 0x04e4d95a2cd2464du}, {1014, 222, 4, 0x66381d1de03c9969u},
    {1016, 594, 8, 0x181c5c9ba5f456e4u}, {1019, 54, 1, 0xb39045e80f92a7cau},  {1020, 54, 1, 0xaf45f1248ff887bfu},
    {1021, 96, 3, 0xb53b2b40de705036u},  {1024, 52, 1, 0xe14ad917cd13e1feu},  {1027, 116, 2, 0xb10156817a388e03u},
};

// Twice over: a second call, after every other text was built, must give
// the same bytes again.
TEST(TooltipTexts, EveryTextHasItsExactBytes)
{
    for (int round = 1; round <= 2; ++round) {
        for (const Expected& expected : kTexts) {
            SCOPED_TRACE(testing::Message() << expected.id << ", call " << round);
            const std::string text = BuildTooltipText(expected.id);
            EXPECT_EQ(expected.bytes, text.size());
            EXPECT_EQ(expected.lines, SplitLines(text).size());
            EXPECT_EQ(expected.digest, Fnv1a(text));
            EXPECT_NE(0, text.compare(0, 2, "\r\n"));
            EXPECT_NE("\r\n", text.substr(text.size() - 2));
        }
    }
}

TEST(TooltipTexts, ControlsWithoutHelpGetNothing)
{
    for (unsigned id : {0u, 1u, 2u, 3u, 999u, 1010u, 1012u, 1013u, 1015u, 1017u, 1018u, 1022u, 1026u, 1028u, 1029u,
                        1030u, 0xFFFFFFFFu})
        EXPECT_EQ("", BuildTooltipText(id)) << id;
}

TEST(TooltipTexts, SharedAndSpecialLines)
{
    EXPECT_EQ(BuildTooltipText(IDC_NO_ACTIVE_DESKTOP_CHANGES),
              SplitLines(BuildTooltipText(IDC_NO_ACTIVE_DESKTOP)).back());

    // One empty line, right before "[実際の計算方法]".
    const std::string ioPageLockLimit = BuildTooltipText(IDC_IO_PAGE_LOCK_LIMIT);
    const size_t gap = ioPageLockLimit.find("\r\n\r\n");
    ASSERT_NE(std::string::npos, gap);
    EXPECT_EQ(std::string::npos, ioPageLockLimit.find("\r\n\r\n", gap + 1));
    EXPECT_EQ(0, ioPageLockLimit.compare(gap + 4, 1, "["));
    EXPECT_EQ(4u, SplitLines(ioPageLockLimit.substr(0, gap)).size());

    // Code page 932 bytes: "。" then a single-byte space; three full-width "．".
    const std::string pagingExecutive = BuildTooltipText(IDC_DISABLE_PAGING_EXECUTIVE);
    EXPECT_EQ("\x81\x42 ", pagingExecutive.substr(pagingExecutive.size() - 3));
    const std::string shellIntegration = BuildTooltipText(IDC_SHELL_INTEGRATION_GROUP);
    EXPECT_EQ("\x81\x44\x81\x44\x81\x44", shellIntegration.substr(shellIntegration.size() - 6));
}

}  // namespace
