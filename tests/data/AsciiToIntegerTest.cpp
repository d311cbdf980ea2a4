#include "data/AsciiToInteger.h"

#include <gtest/gtest.h>

TEST(AsciiToInteger, ReadsLikeAtoiAndSaturatesBeyond32Bits)
{
    struct Case {
        const char* text;
        std::int32_t value;
        bool hasDigits;
    };
    const Case cases[] = {
        {"42", 42, true},
        {"  -17xyz", -17, true},
        {"\t+8", 8, true},
        {"12abc", 12, true},
        {"abc", 0, false},
        {"", 0, false},
        {"-", 0, false},
        {"- 5", 0, false},
        {"2147483647", 2147483647, true},
        {"2147483648", 2147483647, true},
        {"-2147483648", -2147483647 - 1, true},
        {"-99999999999999999999", -2147483647 - 1, true},
        {"000000000000000000000000000000009", 9, true},
    };
    for (const Case& c : cases) {
        const ParsedInteger parsed = AsciiToInteger(c.text);
        EXPECT_EQ(parsed.value, c.value) << '"' << c.text << '"';
        EXPECT_EQ(parsed.hasDigits, c.hasDigits) << '"' << c.text << '"';
    }
}
