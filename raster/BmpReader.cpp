#include "raster/BmpReader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <string>
#include <vector>

namespace plumex {
namespace {

constexpr uint32_t BiRgb = 0, BiRle8 = 1, BiRle4 = 2, BiBitfields = 3, BiAlphaBitfields = 6;

[[noreturn]] void fail(const std::string& message) {
    throw PictureError(message);
}

// Little-endian reads at absolute offsets, each checked against the data's end.
class Bytes {
public:
    explicit Bytes(std::span<const uint8_t> data) : data_(data) {}
    size_t size() const { return data_.size(); }
    uint32_t u16(size_t at) const {
        need(at, 2);
        return uint32_t(data_[at]) | uint32_t(data_[at + 1]) << 8;
    }
    uint32_t u32(size_t at) const {
        need(at, 4);
        return u16(at) | u16(at + 2) << 16;
    }
    int32_t i32(size_t at) const { return static_cast<int32_t>(u32(at)); }
    const uint8_t* at(size_t at, size_t n) const {
        need(at, n);
        return data_.data() + at;
    }

private:
    void need(size_t at, size_t n) const {
        if (at > data_.size() || n > data_.size() - at) fail("BMP data ends early");
    }
    std::span<const uint8_t> data_;
};

// One channel of a bit-field mask, scaled to 0..255.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 0;

    explicit Channel(uint32_t m = 0) : mask(m) {
        if (m == 0) return;
        shift = std::countr_zero(m);
        max = m >> shift;
    }
    int operator()(uint32_t pixel) const {
        if (max == 0) return 0;
        const uint32_t v = (pixel & mask) >> shift;
        // Short channels are shifted up, as the platform loaders do (31 of 5 bits is 248).
        const int bits = std::bit_width(max);
        return int(bits >= 8 ? v >> (bits - 8) : v << (8 - bits));
    }
};

struct Info {
    int64_t width = 0;
    int64_t height = 0;
    bool topDown = false;
    int bpp = 0;
    uint32_t compression = BiRgb;
    std::array<Channel, 4> masks; // red, green, blue, alpha
    std::vector<Color> palette;
    size_t pixelOffset = 0;
};

inline int overWhite(int c, int a) {
    return (c * a + 255 * (255 - a) + 127) / 255;
}

void readMasks(const Bytes& b, Info& info, size_t at, bool alpha) {
    info.masks = {Channel(b.u32(at)), Channel(b.u32(at + 4)), Channel(b.u32(at + 8)),
                  Channel(alpha ? b.u32(at + 12) : 0)};
}

void readPalette(const Bytes& b, Info& info, size_t at, size_t entrySize, uint32_t used) {
    const size_t full = size_t{1} << info.bpp;
    size_t count = used == 0 || used > full ? full : used;
    // Entries the file does not hold before its pixels read as black.
    const size_t end = std::min(info.pixelOffset, b.size());
    count = std::min(count, end > at ? (end - at) / entrySize : 0);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* p = b.at(at + i * entrySize, 3);
        info.palette.push_back(rgbColor(p[2], p[1], p[0]));
    }
}

Info readInfo(const Bytes& b, int64_t maxPixels) {
    if (b.size() < 18 || b.u16(0) != 0x4D42) fail("Not BMP Image");
    Info info;
    info.pixelOffset = b.u32(10);
    const uint32_t headerSize = b.u32(14);
    uint32_t used = 0;
    size_t paletteAt = 14 + size_t(headerSize), entrySize = 4;
    if (headerSize == 12) {
        info.width = b.u16(18);
        info.height = b.u16(20);
        info.bpp = int(b.u16(24));
        entrySize = 3;
    } else if (headerSize >= 40 && headerSize <= 1024) {
        info.width = b.i32(18);
        info.height = b.i32(22);
        info.bpp = int(b.u16(28));
        info.compression = b.u32(30);
        used = b.u32(46);
        if (info.compression == BiBitfields || info.compression == BiAlphaBitfields) {
            const bool alpha = info.compression == BiAlphaBitfields || headerSize >= 56;
            if (headerSize >= 52) {
                readMasks(b, info, 54, alpha);
            } else {
                readMasks(b, info, paletteAt, alpha);
                paletteAt += alpha ? 16 : 12;
            }
        }
    } else {
        fail("Error BMP header size");
    }
    if (info.height < 0) {
        info.topDown = true;
        info.height = -info.height;
    }
    const int64_t w = info.width, h = info.height;
    checkPictureSize(w, h);
    if (w * h > maxPixels)
        fail("Image too large (" + std::to_string(w) + " x " + std::to_string(h) + ")");
    const int bpp = info.bpp;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        fail("Error BMP BitCount " + std::to_string(bpp));
    const uint32_t c = info.compression;
    const bool fits = c == BiRgb || (c == BiRle8 && bpp == 8) || (c == BiRle4 && bpp == 4) ||
                      ((c == BiBitfields || c == BiAlphaBitfields) && (bpp == 16 || bpp == 32));
    if (!fits || ((c == BiRle8 || c == BiRle4) && info.topDown))
        fail("BMP compression not supported");
    if (bpp <= 8) readPalette(b, info, paletteAt, entrySize, used);
    if (c == BiRgb && bpp == 16)
        info.masks = {Channel(0x7C00), Channel(0x3E0), Channel(0x1F), Channel(0)};
    if (c == BiRgb && bpp == 32)
        info.masks = {Channel(0xFF0000), Channel(0xFF00), Channel(0xFF), Channel(0)};
    if (info.pixelOffset > b.size()) fail("BMP data ends early");
    return info;
}

class Decoder {
public:
    Decoder(const Bytes& b, const Info& info) : b_(b), info_(info) {
        image_.width = int(info.width);
        image_.height = int(info.height);
        const Color first = info.palette.empty() ? rgbColor(0, 0, 0) : info.palette[0];
        image_.pixels.assign(size_t(info.width) * size_t(info.height), first);
    }

    RasterImage run() {
        if (info_.compression == BiRle8 || info_.compression == BiRle4)
            decodeRle(info_.compression == BiRle4);
        else
            decodeRows();
        return std::move(image_);
    }

private:
    Color* row(int64_t y) {
        const int64_t r = info_.topDown ? y : info_.height - 1 - y;
        return &image_.pixels[size_t(r) * size_t(info_.width)];
    }
    Color indexed(uint32_t i) const {
        return i < info_.palette.size() ? info_.palette[i] : rgbColor(0, 0, 0);
    }
    Color masked(uint32_t px) const {
        const auto& m = info_.masks;
        const int r = m[0](px), g = m[1](px), b = m[2](px);
        if (m[3].max == 0) return rgbColor(r, g, b);
        const int a = m[3](px);
        return rgbColor(overWhite(r, a), overWhite(g, a), overWhite(b, a));
    }

    void decodeRows() {
        const size_t w = size_t(info_.width);
        const size_t stride = (w * info_.bpp + 31) / 32 * 4;
        const size_t h = size_t(info_.height);
        if (stride * h > b_.size() - info_.pixelOffset) fail("BMP data ends early");
        for (size_t y = 0; y < h; ++y) {
            const uint8_t* p = b_.at(info_.pixelOffset + y * stride, stride);
            Color* out = row(int64_t(y));
            switch (info_.bpp) {
            case 1:
            case 4:
            case 8: {
                const int bits = info_.bpp;
                for (size_t x = 0; x < w; ++x) {
                    const size_t bit = x * bits;
                    out[x] = indexed((p[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1));
                }
                break;
            }
            case 16:
                for (size_t x = 0; x < w; ++x) out[x] = masked(p[2 * x] | p[2 * x + 1] << 8);
                break;
            case 24:
                for (size_t x = 0; x < w; ++x, p += 3) out[x] = rgbColor(p[2], p[1], p[0]);
                break;
            case 32:
                for (size_t x = 0; x < w; ++x, p += 4)
                    out[x] = masked(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
                                    uint32_t(p[3]) << 24);
                break;
            }
        }
    }

    void put(int64_t x, int64_t y, uint32_t index) {
        if (x < info_.width && y < info_.height) row(y)[x] = indexed(index);
    }

    // Runs and literal groups of indices; pixels a delta jumps over keep palette entry 0.
    void decodeRle(bool four) {
        size_t pos = info_.pixelOffset;
        int64_t x = 0, y = 0;
        while (y < info_.height) {
            const uint8_t* op = b_.at(pos, 2);
            pos += 2;
            const uint32_t count = op[0], value = op[1];
            if (count > 0) {
                for (uint32_t i = 0; i < count; ++i, ++x)
                    put(x, y, four ? (i % 2 ? value & 15 : value >> 4) : value);
            } else if (value == 0) {
                x = 0;
                ++y;
            } else if (value == 1) {
                return;
            } else if (value == 2) {
                const uint8_t* d = b_.at(pos, 2);
                pos += 2;
                x += d[0];
                y += d[1];
            } else {
                const size_t bytes = four ? (value + 1) / 2 : value;
                const uint8_t* p = b_.at(pos, bytes);
                pos += (bytes + 1) / 2 * 2;
                for (uint32_t i = 0; i < value; ++i, ++x)
                    put(x, y, four ? (i % 2 ? p[i / 2] & 15 : p[i / 2] >> 4) : p[i]);
            }
        }
    }

    const Bytes& b_;
    const Info& info_;
    RasterImage image_;
};

} // namespace

RasterImage readBmp(std::span<const uint8_t> data, int64_t maxPixels) {
    const Bytes bytes(data);
    const Info info = readInfo(bytes, maxPixels);
    // Uncompressed rows must all be there before the picture is allocated; RLE data can
    // expand at most 255 pixels per two bytes.
    const bool rle = info.compression == BiRle8 || info.compression == BiRle4;
    const uint64_t pixels = uint64_t(info.width) * uint64_t(info.height);
    if (rle && pixels / 255 / 2 > bytes.size()) fail("BMP data ends early");
    return Decoder(bytes, info).run();
}

} // namespace plumex
