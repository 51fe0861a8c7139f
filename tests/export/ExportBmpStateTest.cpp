#include "export/ExportBmpState.h"
#include "testing.h"

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

// The dialog refuses exactly what the renderer would refuse as too large: held against it at
// both formats' limits (the first row cancels, so no big picture is made), a zero size, and a
// scale whose size has no 64-bit value. Refused texts are named before the size.
TEST(ExportBmpState, RefusesWhatTheRendererCannotMake) {
    const TCvLine square = testing::polyline({{0, 0}, {1, 0}, {1, 1}, {0, 1}}, true);
    const auto renders = [&](const ExportBmpState& s) {
        CountingByteSink sink;
        const BitmapRequest r = s.request(square.GetBounds());
        return renderBitmap(sink, {square}, r, [](std::int64_t, std::int64_t) {
                   return false;
               }).result != BitmapResult::TooLarge;
    };
    ExportBmpState s;
    s.objectWidth = s.objectHeight = 1;
    int refused = 0;
    for (BitmapMode mode : {BitmapMode::GreyScale, BitmapMode::Monochrome}) {
        s.mode = mode;
        // 65535 pixels a side is the greyscale limit, 185351 the monochrome one.
        for (const char* scale : {"1", "65515", "65516", "185331", "185332", "1e300", "1e-300"}) {
            ASSERT_TRUE(s.setScaleText(scale));
            const bool ok = s.refusal() == BmpRefusal::None;
            EXPECT_EQ(ok, renders(s)) << scale << " mode " << int(mode);
            refused += !ok;
        }
    }
    EXPECT_EQ(refused, 6); // greyscale from 65516 up, monochrome from 185332 up
    ASSERT_TRUE(s.setScaleText("1e300"));
    EXPECT_EQ(s.refusal(), BmpRefusal::Size);
    EXPECT_EQ(s.outputSizeText(), ""); // not "0 X 0"
    EXPECT_EQ(s.fileSizeText(), "");   // not 62 bytes
    ASSERT_TRUE(s.setScaleText("1e-300"));
    ASSERT_TRUE(s.setMarginText("0"));
    EXPECT_EQ(s.refusal(), BmpRefusal::Size) << s.outputSizeText(); // 0 X 0
    ASSERT_TRUE(s.setMarginText("1"));
    EXPECT_EQ(s.refusal(), BmpRefusal::None);
    EXPECT_FALSE(s.setScaleText("0"));
    EXPECT_FALSE(s.setMarginText("-1"));
    EXPECT_EQ(s.refusal(), BmpRefusal::Scale);
    EXPECT_TRUE(s.setScaleText("100"));
    EXPECT_EQ(s.refusal(), BmpRefusal::Margin);
    EXPECT_TRUE(s.setMarginText("10"));
    EXPECT_EQ(s.refusal(), BmpRefusal::None);
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
