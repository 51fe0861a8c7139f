#include "raster/BmpWriter.h"
#include "raster/BmpReader.h"

#include <gtest/gtest.h>

#include <cstring>

namespace plumex {
namespace {

struct Bytes : ByteSink {
    std::vector<std::uint8_t> data;
    void write(std::span<const std::uint8_t> b) override {
        data.insert(data.end(), b.begin(), b.end());
    }
    std::uint32_t u32(std::size_t at) const {
        std::uint32_t v;
        std::memcpy(&v, &data[at], 4);
        return v;
    }
};

TEST(BmpWriter, GreyFileLayout) {
    Bytes b;
    BmpWriter w(b, 5, 2, BmpFormat::Grey8);
    const std::uint8_t r0[] = {0, 1, 2, 3, 4}, r1[] = {250, 251, 252, 253, 254};
    w.writeRow(r0);
    EXPECT_FALSE(w.complete());
    w.writeRow(r1);
    EXPECT_TRUE(w.complete());
    ASSERT_EQ(b.data.size(), 1078u + 2 * 8); // rows padded to 8 bytes
    EXPECT_EQ(b.data[0], 'B');
    EXPECT_EQ(b.u32(2), b.data.size());
    EXPECT_EQ(b.u32(10), 1078u);
    EXPECT_EQ(b.u32(18), 5u);
    EXPECT_EQ(b.u32(22), 2u);
    EXPECT_EQ(b.data[28], 8);
    EXPECT_EQ(b.u32(54 + 4 * 200), 0x00C8C8C8u); // palette entry 200 is grey 200
    EXPECT_EQ(b.data[1078 + 4], 4);
    EXPECT_EQ(b.data[1078 + 5], 0); // padding
    EXPECT_EQ(b.data[1078 + 8], 250);
    EXPECT_THROW(w.writeRow(r0), std::logic_error);
}

TEST(BmpWriter, MonoRowsPackBitsAndPad) {
    Bytes b;
    BmpWriter w(b, 33, 1, BmpFormat::Mono1);
    std::vector<std::uint8_t> row(33, 0);
    row[0] = row[9] = row[32] = 255;
    row[1] = 127; // below half is black
    w.writeRow(row);
    ASSERT_EQ(b.data.size(), 62u + 8);
    EXPECT_EQ(b.u32(54), 0u);          // entry 0 black
    EXPECT_EQ(b.u32(58), 0x00FFFFFFu); // entry 1 white
    EXPECT_EQ(b.data[62], 0x80);
    EXPECT_EQ(b.data[63], 0x40);
    EXPECT_EQ(b.data[66], 0x80);
    EXPECT_THROW(w.writeRow(std::vector<std::uint8_t>(32)), std::logic_error);
}

TEST(BmpWriter, ColourRowsAreBlueGreenRedPaddedAndReadBack) {
    RasterImage image{3, 2, {}, {}};
    image.pixels = {rgbColor(255, 0, 0), rgbColor(0, 255, 0),   rgbColor(0, 0, 255),
                    rgbColor(1, 2, 3),   rgbColor(250, 128, 7), rgbColor(255, 255, 255)};
    Bytes b;
    BmpWriter w(b, 3, 2, BmpFormat::Rgb24);
    EXPECT_THROW(w.writeRow(std::vector<std::uint8_t>(3)), std::logic_error);
    for (int y = 1; y >= 0; --y)
        w.writeRow(
            std::span<const Color>(image.pixels).subspan(static_cast<std::size_t>(y) * 3, 3));
    ASSERT_EQ(b.data.size(), 54u + 2 * 12); // 9 bytes of pixels padded to 12
    EXPECT_EQ(bmpFileSize(3, 2, BmpFormat::Rgb24), b.data.size());
    EXPECT_EQ(b.u32(10), 54u); // no palette
    EXPECT_EQ(b.data[28], 24);
    EXPECT_EQ(b.u32(46), 0u);
    // The bottom row comes first, each pixel blue, green, red.
    EXPECT_EQ(std::vector<std::uint8_t>(b.data.begin() + 54, b.data.begin() + 66),
              (std::vector<std::uint8_t>{3, 2, 1, 7, 128, 250, 255, 255, 255, 0, 0, 0}));
    EXPECT_EQ(readBmp(b.data).pixels, image.pixels);

    BmpWriter grey(b, 3, 1, BmpFormat::Grey8);
    EXPECT_THROW(grey.writeRow(std::span<const Color>(image.pixels).first(3)), std::logic_error);
}

TEST(BmpWriter, SizesAFileCannotHoldAreRefused) {
    EXPECT_EQ(bmpFileSize(120, 120, BmpFormat::Grey8), 1078u + 120 * 120);
    EXPECT_EQ(bmpFileSize(20000, 20000, BmpFormat::Grey8), 1078u + 400000000u);
    EXPECT_FALSE(bmpFileSize(0, 5, BmpFormat::Grey8));
    EXPECT_FALSE(bmpFileSize(5, -1, BmpFormat::Mono1));
    EXPECT_FALSE(bmpFileSize(std::int64_t{1} << 31, 1, BmpFormat::Mono1));
    EXPECT_FALSE(bmpFileSize(70000, 70000, BmpFormat::Grey8)); // past 4 GiB
    EXPECT_TRUE(bmpFileSize(70000, 70000, BmpFormat::Mono1));
    Bytes b;
    EXPECT_THROW(BmpWriter(b, 70000, 70000, BmpFormat::Grey8), std::length_error);
    EXPECT_TRUE(b.data.empty());
}

} // namespace
} // namespace plumex
