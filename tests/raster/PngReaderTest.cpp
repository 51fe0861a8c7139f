#include "raster/PngReader.h"
#include "raster/PictureError.h"

#include "raster/PictureTesting.h"

#include <filesystem>

namespace plumex {
namespace {

using namespace plumex::testing;

std::string readError(const Bytes& file) {
    try {
        readPng(file);
    } catch (const PictureError& e) {
        return e.what();
    }
    return "(decoded)";
}

// A 3 x 2 RGB image: rows of filter 0 and 9 bytes of colour.
Bytes rgbRows() {
    return {0, 255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 10, 20, 30, 40, 50, 60, 70, 80, 90};
}

TEST(PngReader, EveryColourTypeDepthAndInterlaceMatchesQt) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(PLUMEX_TEST_DATA "/png")) {
        if (entry.path().extension() != ".png") continue;
        const std::string path = entry.path().string();
        const RasterImage want = qtPicture(path);
        ASSERT_GT(want.width, 0) << path;
        expectSamePixels(readPng(fileBytes(path)), want, entry.path().filename().string());
        ++files;
    }
    EXPECT_EQ(files, 36);
}

TEST(PngReader, GreyLevelsSpreadEvenly) {
    // 2-bit grey 0..3 reads as 0, 85, 170, 255.
    const Bytes file =
        pngFile({ihdr(4, 1, 2, 0), {"IDAT", deflated({0, 0b00011011})}, {"IEND", {}}});
    const RasterImage image = readPng(file);
    EXPECT_EQ(image.pixels, (std::vector<Color>{rgbColor(0, 0, 0), rgbColor(85, 85, 85),
                                                rgbColor(170, 170, 170), rgbColor(255, 255, 255)}));
}

TEST(PngReader, HeaderMessages) {
    const auto withHeader = [](PngChunk header) {
        return readError(pngFile({header, {"IDAT", deflated(rgbRows())}, {"IEND", {}}}));
    };
    EXPECT_EQ(readError({'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0}), "Not PNG Image");
    EXPECT_EQ(readError({137, 80}), "Not PNG Image");
    EXPECT_EQ(readError(pngFile({ihdr(3, 2, 8, 2), ihdr(3, 2, 8, 2)})), "appear two IHDR");
    for (int type : {1, 5, 7, 8}) EXPECT_EQ(withHeader(ihdr(3, 2, 8, type)), "Error ColorType");
    EXPECT_EQ(withHeader(ihdr(3, 2, 3, 0)), "Error Bitdepth");
    EXPECT_EQ(withHeader(ihdr(3, 2, 32, 4)), "Error Bitdepth");
    EXPECT_EQ(withHeader(ihdr(3, 2, 2, 4)), "not Use AlphaChannel");
    EXPECT_EQ(withHeader(ihdr(3, 2, 4, 2)), "Error BitDepth");
    EXPECT_EQ(withHeader(ihdr(3, 2, 16, 3)), "Error BitDepth");
    // Method 1 of compression and filtering does not exist either.
    EXPECT_EQ(withHeader(ihdr(3, 2, 8, 2, 1)), "not support Compression");
    EXPECT_EQ(withHeader(ihdr(3, 2, 8, 2, 0, 1)), "not supprt Filter");
    EXPECT_EQ(withHeader(ihdr(3, 2, 8, 2, 0, 0, 2)), "not interlace type");
    EXPECT_EQ(withHeader({"IHDR", {0, 0, 0, 3}}), "Error IHDR size");
}

TEST(PngReader, PaletteMessages) {
    const Bytes rows = {0, 0x01, 0, 0x23};
    const auto withPalette = [&](std::vector<PngChunk> before) {
        before.push_back({"IDAT", deflated(rows)});
        before.push_back({"IEND", {}});
        return readError(pngFile(before));
    };
    const PngChunk header = ihdr(2, 2, 4, 3);
    EXPECT_EQ(withPalette({{"PLTE", Bytes(6)}, header}), "Error PLTE");
    EXPECT_EQ(withPalette({header, {"PLTE", Bytes(6)}, {"PLTE", Bytes(6)}}), "Error PLTE");
    EXPECT_EQ(withPalette({header, {"PLTE", Bytes(4)}}), "palettesize error");
    EXPECT_EQ(withPalette({header, {"PLTE", Bytes(257 * 3)}}), "palette length over");
    EXPECT_EQ(withPalette({header}), "Palette None");
    EXPECT_EQ(withPalette({header, {"PLTE", {}}}), "Palette None");
    // Indices past the palette read as black rather than past the table.
    const RasterImage image = readPng(
        pngFile({header, {"PLTE", {9, 8, 7, 1, 2, 3}}, {"IDAT", deflated(rows)}, {"IEND", {}}}));
    EXPECT_EQ(image.pixels, (std::vector<Color>{rgbColor(9, 8, 7), rgbColor(1, 2, 3),
                                                rgbColor(0, 0, 0), rgbColor(0, 0, 0)}));
}

TEST(PngReader, ImageDataMessages) {
    const Bytes data = deflated(rgbRows());
    const Bytes head(data.begin(), data.begin() + 5), tail(data.begin() + 5, data.end());
    const PngChunk header = ihdr(3, 2, 8, 2);
    EXPECT_EQ(readError(pngFile({header, {"IDAT", head}, {"tEXt", {}}, {"IDAT", tail}})),
              "not next IDAT Chunk");
    // A run split over several chunks, zero-length ones included, is one image.
    EXPECT_EQ(readPng(pngFile({header, {"IDAT", head}, {"IDAT", {}}, {"IDAT", tail}, {"IEND", {}}}))
                  .pixels[1],
              rgbColor(0, 255, 0));
    EXPECT_EQ(readError(pngFile({header, {"IDAT", Bytes(30, 0x55)}, {"IEND", {}}})), "zlib error");
    EXPECT_EQ(readError(pngFile({header, {"IDAT", data}, {"tEXt", {}}, {"IDAT", data}})),
              "appear two IDAT");
    Bytes badFilter = rgbRows();
    badFilter[10] = 5;
    EXPECT_EQ(readError(pngFile({header, {"IDAT", deflated(badFilter)}, {"IEND", {}}})),
              "not support Filter");
    EXPECT_EQ(readError(pngFile({header, {"IDAT", data}, {"IEND", {0, 0, 0, 0}}})),
              "error IEND size");
}

TEST(PngReader, ShortOrHostileDataFailsWithAMessage) {
    const PngChunk header = ihdr(3, 2, 8, 2);
    const Bytes good = pngFile({header, {"IDAT", deflated(rgbRows())}, {"IEND", {}}});
    ASSERT_EQ(readPng(good).pixels.size(), 6u);
    // Every truncation is refused, never read past the end.
    for (size_t n = 0; n < good.size(); ++n)
        EXPECT_THROW(readPng(Bytes(good.begin(), good.begin() + long(n))), PictureError) << n;

    Bytes shortRows = rgbRows();
    shortRows.resize(12);
    EXPECT_EQ(readError(pngFile({header, {"IDAT", deflated(shortRows)}, {"IEND", {}}})),
              "Image data ends early");
    EXPECT_EQ(readError(pngFile({header, {"IEND", {}}})), "No image data");
    // A chunk length past the end of the file.
    Bytes longChunk = good;
    longChunk[8 + 25 + 3] = 0xFF;
    EXPECT_EQ(readError(longChunk), "PNG file ends early");
    // Sizes past the bound, or far more pixels than the data could hold, are refused before
    // anything is allocated.
    const Bytes tiny = deflated(Bytes(100, 0));
    EXPECT_EQ(readError(pngFile({ihdr(70000, 1, 8, 2), {"IDAT", tiny}, {"IEND", {}}})),
              "Image too large (70000 x 1)");
    EXPECT_EQ(readError(pngFile({ihdr(0, 1, 8, 2), {"IDAT", tiny}, {"IEND", {}}})),
              "Image has no pixels");
    EXPECT_EQ(readError(pngFile({ihdr(16000, 16000, 8, 6), {"IDAT", tiny}, {"IEND", {}}})),
              "Image data ends early");
}

} // namespace
} // namespace plumex
