#include "canvas/SizeInput.h"

#include <gtest/gtest.h>

using namespace plumex;

TEST(SizeInput, KeyFilterKeepsDigitsPointAndControlKeys) {
    for (char32_t ch : {U'0', U'9', U'.', U'\b', U'\r', U'\x7f'}) EXPECT_TRUE(sizeKeyAllowed(ch));
    for (char32_t ch : {U'-', U'e', U',', U' ', U'a', U'\u00e9'}) EXPECT_FALSE(sizeKeyAllowed(ch));
}

TEST(SizeInput, ValuesThatDoNotConvertCountAsZeroAndFailTheDialog) {
    EXPECT_EQ(sizeFieldValue("12.5"), 12.5);
    EXPECT_EQ(sizeFieldValue("1.2.3"), 0);
    EXPECT_EQ(sizeFieldValue(""), 0);
    EXPECT_FALSE(acceptSize(1, 0, 0));
    EXPECT_TRUE(acceptSize(1, 2, 0));
    EXPECT_FALSE(acceptSize(0, 2, 0)); // both values are needed in mode 0
    EXPECT_TRUE(acceptSize(0, 2, 3));
    EXPECT_TRUE(acceptSize(2, -1, 0));
}

TEST(SizeInput, GridSizeNeedsNumbersAndAStepIntervalOfAtLeastOne) {
    const auto ok = parseGridSize("0.25", "4");
    ASSERT_TRUE(std::holds_alternative<GridSize>(ok));
    EXPECT_EQ(std::get<GridSize>(ok).units, 0.25);
    EXPECT_EQ(std::get<GridSize>(ok).knots, 4);
    for (auto [u, k] : {std::pair{"abc", "5"},
                        {"0.1", "x"},
                        {"0.1", "0"},
                        {"0.1", "-3"},
                        {"0.1", "2.5"},
                        {"nan", "5"}}) {
        const auto r = parseGridSize(u, k);
        ASSERT_TRUE(std::holds_alternative<std::string>(r)) << u << " " << k;
        EXPECT_FALSE(std::get<std::string>(r).empty());
    }
}
