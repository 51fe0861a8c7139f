#include "raster/JpegReader.h"

#include "raster/PictureTesting.h"

namespace plumex {
namespace {

using namespace plumex::testing;

std::string readError(const Bytes& file) {
    try {
        readJpeg(file);
    } catch (const PictureError& e) {
        return e.what();
    }
    return "(decoded)";
}

TEST(JpegReader, BaselineProgressiveAndGreyMatchQt) {
    for (const char* name : {"baseline", "s444", "grey", "progressive", "progressivegrey"}) {
        const std::string path = PLUMEX_TEST_DATA "/picture/" + std::string(name) + ".jpg";
        const RasterImage want = qtPicture(path);
        ASSERT_GT(want.width, 0) << path;
        expectSamePixels(readJpeg(fileBytes(path)), want, name);
    }
}

TEST(JpegReader, LibraryErrorsComeBackAsMessages) {
    EXPECT_EQ(readError(fileBytes(PLUMEX_TEST_DATA "/picture/cmyk.jpg")),
              "CMYK JPEG Image is not supported");
    EXPECT_EQ(readError({}), "JPEG: Empty input file");
    EXPECT_EQ(readError({'G', 'I', 'F', '8'}).substr(0, 24), "JPEG: Not a JPEG file: s");
    // A file cut anywhere either fails with a message or decodes what it holds.
    const Bytes good = fileBytes(PLUMEX_TEST_DATA "/picture/progressive.jpg");
    for (size_t n = 0; n < good.size(); n += 7) {
        try {
            const RasterImage image = readJpeg(Bytes(good.begin(), good.begin() + long(n)));
            EXPECT_EQ(image.pixels.size(), 37u * 29u);
        } catch (const PictureError&) {
        }
    }
    // A header whose size exceeds the caller's bound is refused before decoding.
    EXPECT_THROW(readJpeg(good, 100), PictureError);
}

// Sets the frame size in the start-of-frame marker (baseline or progressive).
Bytes withFrameSize(Bytes file, int w, int h) {
    for (size_t i = 0; i + 9 < file.size(); ++i)
        if (file[i] == 0xFF && (file[i + 1] == 0xC0 || file[i + 1] == 0xC2)) {
            file[i + 5] = uint8_t(h >> 8);
            file[i + 6] = uint8_t(h);
            file[i + 7] = uint8_t(w >> 8);
            file[i + 8] = uint8_t(w);
            return file;
        }
    ADD_FAILURE() << "no frame header";
    return file;
}

TEST(JpegReader, SizesTheDataCannotHoldAreRefusedBeforeDecoding) {
    // A few hundred bytes claiming 16000 x 16000: every 8 x 8 block of Huffman-coded data
    // takes at least a bit, so this cannot be a real picture of that size.
    for (const char* name : {"grey", "progressive"}) {
        const Bytes file = withFrameSize(
            fileBytes(PLUMEX_TEST_DATA "/picture/" + std::string(name) + ".jpg"), 16000, 16000);
        EXPECT_EQ(readError(file), "JPEG data too short for 16000 x 16000 pixels") << name;
    }
    // A flat grey picture compresses to about 240 pixels a byte and still loads.
    const Bytes flat = fileBytes(PLUMEX_TEST_DATA "/picture/flat.jpg");
    ASSERT_GT(1000u * 1000u / flat.size(), 200u);
    const RasterImage image = readJpeg(flat);
    EXPECT_EQ(image.width, 1000);
    EXPECT_EQ(image.at(999, 999), rgbColor(200, 200, 200));
}

} // namespace
} // namespace plumex
