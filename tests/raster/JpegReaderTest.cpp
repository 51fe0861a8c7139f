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

} // namespace
} // namespace plumex
