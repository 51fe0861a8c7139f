#include "raster/JpegReader.h"

#include "raster/PictureTesting.h"

#include <QBuffer>
#include <QImageWriter>

#include <utility>

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

TEST(JpegReader, LibraryErrorsComeBackAsMessages) {
    EXPECT_EQ(readError(fileBytes(PLUMEX_TEST_DATA "/picture/cmyk.jpg")),
              "CMYK JPEG Image is not supported");
    EXPECT_EQ(readError({}), "JPEG: Empty input file");
    EXPECT_EQ(readError({'G', 'I', 'F', '8'}).substr(0, 24), "JPEG: Not a JPEG file: s");
    // A header whose size exceeds the caller's bound is refused before decoding.
    const Bytes good = fileBytes(PLUMEX_TEST_DATA "/picture/progressive.jpg");
    EXPECT_THROW(readJpeg(good, 100), PictureError);
}

// A photo-like picture of several block rows, saved by Qt's own JPEG writer.
Bytes qtJpeg(bool progressive) {
    QImage image(160, 120, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 255 / 159, (x * y) % 256, (x * 31 + y * 17) % 256));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(85);
    writer.setProgressiveScanWrite(progressive);
    EXPECT_TRUE(writer.write(image)) << writer.errorString().toStdString();
    return Bytes(bytes.begin(), bytes.end());
}

// Cut anywhere before its end, a file is refused with a message rather than shown with a grey
// rest; whole, it gives what Qt decodes.
TEST(JpegReader, EveryCutFileIsRefusedAndTheWholeOneMatchesQt) {
    std::vector<std::pair<std::string, Bytes>> files = {{"qt baseline", qtJpeg(false)},
                                                        {"qt progressive", qtJpeg(true)}};
    for (const char* name : {"baseline", "s444", "grey", "progressive", "progressivegrey"})
        files.emplace_back(name,
                           fileBytes(PLUMEX_TEST_DATA "/picture/" + std::string(name) + ".jpg"));
    for (const auto& [name, file] : files) {
        ASSERT_GT(file.size(), 500u) << name;
        const RasterImage want = qtPicture(QImage::fromData(file, "jpeg"));
        ASSERT_GT(want.width, 0) << name;
        expectSamePixels(readJpeg(file), want, name);
        // Every length of the small files; the larger ones in steps, to keep the test quick.
        const size_t step = file.size() > 4096 ? 11 : 1;
        for (size_t n = 0; n < file.size(); n += step) {
            const std::string error = readError(Bytes(file.begin(), file.begin() + long(n)));
            if (error == "(decoded)") {
                ADD_FAILURE() << name << " cut to " << n << " of " << file.size()
                              << " bytes was decoded";
                break;
            }
        }
        EXPECT_EQ(readError(Bytes(file.begin(), file.end() - 1)),
                  "JPEG: Premature end of JPEG file")
            << name;
        EXPECT_EQ(readError(Bytes(file.begin(), file.begin() + long(file.size() / 2))),
                  "JPEG: Premature end of JPEG file")
            << name;
    }
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
