#include <gtest/gtest.h>

#include <cstdint>

#include "text/number_text.h"

TEST(ParseIntLikeAtoi, ReadsLeadingDecimalNumber)
{
    const struct {
        const char* text;
        int32_t number;
    } cases[] = {
        {"", 0},
        {"abc", 0},
        {"12abc", 12},
        {"  -7", -7},
        {"\t\n+5", 5},
        {"- 5", 0},
        {"--5", 0},
        {"0x10", 0},
        {"007", 7},
        {"1 2", 1},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"2147483648", INT32_MAX},
        {"-2147483649", INT32_MIN},
        {"99999999999999999999999999", INT32_MAX},
        {"-99999999999999999999999999x", INT32_MIN},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.number, ParseIntLikeAtoi(c.text)) << '"' << c.text << '"';
    }
    EXPECT_EQ(0, ParseIntLikeAtoi(nullptr));
}
