#pragma once
// Helpers of the decoder tests: reading files, Qt's decoding as the reference, PNG building.

#include "raster/RasterImage.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace plumex::testing {

using Bytes = std::vector<uint8_t>;

inline Bytes fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What Qt decodes, with 16-bit channels cut to their high byte and alpha put over white.
inline RasterImage qtPicture(const QImage& image) {
    RasterImage out;
    if (image.isNull()) return out;
    out.width = image.width();
    out.height = image.height();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgba64 c = image.pixelColor(x, y).rgba64();
            const int a = c.alpha() >> 8;
            const auto over = [a](int v) { return (v * a + 255 * (255 - a) + 127) / 255; };
            out.pixels.push_back(
                rgbColor(over(c.red() >> 8), over(c.green() >> 8), over(c.blue() >> 8)));
        }
    return out;
}

inline RasterImage qtPicture(const std::string& path) {
    return qtPicture(QImage(QString::fromStdString(path)));
}

// Reports the first differing pixel rather than thousands of lines.
inline void expectSamePixels(const RasterImage& got, const RasterImage& want,
                             const std::string& name, int tolerance = 0) {
    ASSERT_EQ(got.width, want.width) << name;
    ASSERT_EQ(got.height, want.height) << name;
    for (int y = 0; y < want.height; ++y)
        for (int x = 0; x < want.width; ++x) {
            const Color g = got.at(x, y), w = want.at(x, y);
            const bool near = std::abs(redOf(g) - redOf(w)) <= tolerance &&
                              std::abs(greenOf(g) - greenOf(w)) <= tolerance &&
                              std::abs(blueOf(g) - blueOf(w)) <= tolerance;
            if (!near) {
                ADD_FAILURE() << name << " differs at (" << x << ", " << y << "): " << std::hex << g
                              << " instead of " << w;
                return;
            }
        }
}

inline void appendBe32(Bytes& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(v >> shift));
}

struct PngChunk {
    std::string type;
    Bytes body;
};

inline Bytes pngFile(const std::vector<PngChunk>& chunks) {
    Bytes out = {137, 80, 78, 71, 13, 10, 26, 10};
    for (const PngChunk& c : chunks) {
        appendBe32(out, uint32_t(c.body.size()));
        out.insert(out.end(), c.type.begin(), c.type.end());
        out.insert(out.end(), c.body.begin(), c.body.end());
        appendBe32(out, 0); // CRCs are not checked
    }
    return out;
}

inline PngChunk ihdr(uint32_t w, uint32_t h, int depth, int colorType, int compression = 0,
                     int filter = 0, int interlace = 0) {
    Bytes b;
    appendBe32(b, w);
    appendBe32(b, h);
    b.insert(b.end(), {uint8_t(depth), uint8_t(colorType), uint8_t(compression), uint8_t(filter),
                       uint8_t(interlace)});
    return {"IHDR", b};
}

inline Bytes deflated(const Bytes& raw) {
    uLongf size = compressBound(raw.size());
    Bytes out(size);
    compress(out.data(), &size, raw.data(), raw.size());
    out.resize(size);
    return out;
}

} // namespace plumex::testing
