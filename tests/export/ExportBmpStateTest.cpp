#include "export/ExportBmpState.h"

#include <gtest/gtest.h>

namespace plumex {
namespace {

TEST(ExportBmpState, UnitSquareTexts) {
    ExportBmpState s;
    s.objectWidth = s.objectHeight = 1;
    EXPECT_EQ(s.objectSizeText(), "1.00 X 1.00");
    EXPECT_EQ(s.outputSizeText(), "120 X 120");
    EXPECT_EQ(s.fileSizeText(), "15,478");
    s.mode = BitmapMode::Monochrome;
    EXPECT_EQ(s.fileSizeText(), "1,982");
    s.objectWidth = 123.456;
    s.setScaleText("1000");
    EXPECT_EQ(s.outputSizeText(), "123476 X 1020");
    EXPECT_EQ(s.fileSizeText(), "15,744,782"); // 1020 * 2 * 7718 + 62
}

TEST(ExportBmpState, FieldsKeepTheirValueOnTextThatDoesNotParse) {
    ExportBmpState s;
    EXPECT_TRUE(s.setScaleText(" 2,5 "));
    EXPECT_EQ(s.scale, 2.5);
    for (const char* bad : {"", "abc", "0", "-3", "1e999", "nan", "4x"})
        EXPECT_FALSE(s.setScaleText(bad)) << bad;
    EXPECT_EQ(s.scale, 2.5);
    EXPECT_TRUE(s.setMarginText("7.9"));
    EXPECT_EQ(s.margin, 7);
    for (const char* bad : {"-1", "x", "3e9"}) EXPECT_FALSE(s.setMarginText(bad)) << bad;
    EXPECT_EQ(s.margin, 7);
}

TEST(ExportBmpState, ThousandsSeparators) {
    EXPECT_EQ(formatThousands(0), "0");
    EXPECT_EQ(formatThousands(999), "999");
    EXPECT_EQ(formatThousands(1000), "1,000");
    EXPECT_EQ(formatThousands(1234567.6), "1,234,568");
    EXPECT_EQ(formatThousands(-1234), "-1,234");
    EXPECT_EQ(formatThousands(4e11), "400,000,000,000");
}

} // namespace
} // namespace plumex
