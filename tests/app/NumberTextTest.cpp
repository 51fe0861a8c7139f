#include "app/NumberText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <random>

using namespace plumex;

TEST(NumberText, DecimalsReadBackBitForBit) {
    std::mt19937_64 rng(12345);
    for (int i = 0; i < 100000; ++i) {
        uint64_t bits = rng();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value)) continue;
        std::string text = formatDecimal(value);
        ASSERT_EQ(text.find(','), std::string::npos) << text;
        auto back = parseDecimal(text);
        ASSERT_TRUE(back) << text;
        ASSERT_EQ(std::memcmp(&*back, &value, sizeof value), 0) << text;
    }
}

TEST(NumberText, DecimalsAreShortAndPlain) {
    EXPECT_EQ(formatDecimal(100.0), "100");
    EXPECT_EQ(formatDecimal(0.1), "0.1");
    EXPECT_EQ(formatDecimal(0.0), "0");
    EXPECT_EQ(formatDecimal(-2.5), "-2.5");
}

TEST(NumberText, DecimalsAcceptEitherSeparator) {
    EXPECT_EQ(parseDecimal("0,25"), 0.25);
    EXPECT_EQ(parseDecimal(" 0.25 "), 0.25);
    EXPECT_EQ(parseDecimal("+3"), 3.0);
    EXPECT_EQ(parseDecimal("1e-05"), 1e-05);
}

TEST(NumberText, DecimalsRefuseJunkAndNonFinite) {
    for (const char* bad :
         {"", " ", "abc", "1.5x", "1,000.5", "inf", "-inf", "nan", "1e999", "0x10", "+-1", "--1"})
        EXPECT_FALSE(parseDecimal(bad)) << bad;
}

TEST(NumberText, IntegersAreInt32Only) {
    EXPECT_EQ(parseInteger(" -17 "), -17);
    EXPECT_EQ(parseInteger("+5"), 5);
    EXPECT_EQ(parseInteger("2147483647"), std::numeric_limits<int32_t>::max());
    for (const char* bad : {"", "yes", "1.0", "12abc", "2147483648", "-2147483649", "+-3"})
        EXPECT_FALSE(parseInteger(bad)) << bad;
}
