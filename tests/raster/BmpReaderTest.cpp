#include "raster/BmpReader.h"

#include "raster/PictureTesting.h"

namespace plumex {
namespace {

using namespace plumex::testing;

void appendLe(Bytes& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

// A Windows 3 header of the given shape followed by `palette` (BGRA entries) and `pixels`.
Bytes bmpFile(int32_t w, int32_t h, int bpp, uint32_t compression, const Bytes& palette,
              const Bytes& pixels) {
    Bytes out = {'B', 'M'};
    appendLe(out, uint32_t(54 + palette.size() + pixels.size()), 4);
    appendLe(out, 0, 4);
    appendLe(out, uint32_t(54 + palette.size()), 4);
    appendLe(out, 40, 4);
    appendLe(out, uint32_t(w), 4);
    appendLe(out, uint32_t(h), 4);
    appendLe(out, 1, 2);
    appendLe(out, uint32_t(bpp), 2);
    appendLe(out, compression, 4);
    appendLe(out, uint32_t(pixels.size()), 4);
    for (int i = 0; i < 4; ++i) appendLe(out, 0, 4); // sizes and colour counts
    out.insert(out.end(), palette.begin(), palette.end());
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

std::string readError(const Bytes& file) {
    try {
        readBmp(file);
    } catch (const PictureError& e) {
        return e.what();
    }
    return "(decoded)";
}

TEST(BmpReader, DepthsOrdersAndRle8MatchQt) {
    for (const char* name : {"pil1", "im4", "pil8grey", "pil8pal", "imrle8", "pil24", "pil32",
                             "topdown24", "im16", "im555"}) {
        const std::string path = PLUMEX_TEST_DATA "/picture/" + std::string(name) + ".bmp";
        const RasterImage want = qtPicture(path);
        ASSERT_GT(want.width, 0) << path;
        expectSamePixels(readBmp(fileBytes(path)), want, name);
    }
}

TEST(BmpReader, Rle4RunsLiteralsAndDeltas) {
    const Bytes palette = {0, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0};
    // Bottom row: a run 1,2,1, then a literal 3,1,0 whose last pixel falls off the row; top
    // row: a delta to x = 1, a run of index 2, the end. Skipped pixels keep entry 0.
    const Bytes rle = {3, 0x12, 0, 3, 0x31, 0, 0, 0, 0, 2, 1, 0, 2, 0x22, 0, 1};
    const RasterImage image = readBmp(bmpFile(5, 2, 4, 2, palette, rle));
    const Color k = rgbColor(0, 0, 0), r = rgbColor(255, 0, 0), g = rgbColor(0, 255, 0),
                b = rgbColor(0, 0, 255);
    EXPECT_EQ(image.pixels, (std::vector<Color>{k, g, g, k, k, r, g, r, b, r}));
}

TEST(BmpReader, HostileHeadersAndShortDataFail) {
    const Bytes palette = {0, 0, 0, 0, 255, 255, 255, 0};
    const Bytes good = bmpFile(3, 2, 24, 0, {}, Bytes(24, 0x80));
    ASSERT_EQ(readBmp(good).pixels[5], rgbColor(0x80, 0x80, 0x80));
    for (size_t n = 0; n < good.size(); ++n)
        EXPECT_THROW(readBmp(Bytes(good.begin(), good.begin() + long(n))), PictureError) << n;
    EXPECT_EQ(readError({'G', 'I', 'F'}), "Not BMP Image");
    EXPECT_EQ(readError(bmpFile(3, 2, 7, 0, {}, Bytes(24))), "Error BMP BitCount 7");
    EXPECT_EQ(readError(bmpFile(3, 2, 24, 1, {}, Bytes(24))), "BMP compression not supported");
    EXPECT_EQ(readError(bmpFile(3, -2, 8, 1, palette, {0, 1})), "BMP compression not supported");
    EXPECT_EQ(readError(bmpFile(100000, 1, 24, 0, {}, {})), "Image too large (100000 x 1)");
    // Rows or runs the file does not hold are refused before the picture is allocated.
    EXPECT_EQ(readError(bmpFile(16000, 16000, 1, 0, palette, Bytes(64))), "BMP data ends early");
    EXPECT_EQ(readError(bmpFile(16000, 16000, 8, 1, palette, {255, 1, 0, 1})),
              "BMP data ends early");
    EXPECT_EQ(readError(bmpFile(3, 2, 8, 1, palette, {3, 1, 0})), "BMP data ends early");
    // Indices past the palette read as black.
    const RasterImage image = readBmp(bmpFile(2, 1, 8, 0, palette, {1, 9, 0, 0}));
    EXPECT_EQ(image.pixels, (std::vector<Color>{rgbColor(255, 255, 255), rgbColor(0, 0, 0)}));
}

} // namespace
} // namespace plumex
