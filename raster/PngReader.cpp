#include "raster/PngReader.h"

#include "raster/PictureError.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

namespace plumex {
namespace {

constexpr std::array<uint8_t, 8> Signature = {137, 80, 78, 71, 13, 10, 26, 10};
// Compressed data is handed to zlib in reads of at most this many bytes.
constexpr size_t MaxRead = 32768;
// Deflate cannot expand one byte into more than 1032 (a 258-byte match in two bits); with
// this a header cannot make us allocate far more than its file could ever fill.
constexpr uint64_t MaxInflateRatio = 1032;

constexpr uint32_t chunkType(const char (&s)[5]) {
    return uint32_t(uint8_t(s[0])) << 24 | uint32_t(uint8_t(s[1])) << 16 |
           uint32_t(uint8_t(s[2])) << 8 | uint32_t(uint8_t(s[3]));
}
constexpr uint32_t IHDR = chunkType("IHDR");
constexpr uint32_t PLTE = chunkType("PLTE");
constexpr uint32_t IDAT = chunkType("IDAT");
constexpr uint32_t IEND = chunkType("IEND");

uint32_t be32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

[[noreturn]] void fail(const char* message) {
    throw PictureError(message);
}

struct Chunk {
    uint32_t type = 0;
    std::span<const uint8_t> body;
};

// Walks the chunks; each one's length is checked against the bytes that remain.
class ChunkCursor {
public:
    explicit ChunkCursor(std::span<const uint8_t> data) : data_(data), pos_(Signature.size()) {}

    Chunk next() {
        const Chunk chunk = peek(pos_);
        pos_ += 12 + chunk.body.size();
        return chunk;
    }

    // Bytes of image data in the IDAT chunks that follow without a break.
    uint64_t idatRunBytes() const {
        uint64_t total = 0;
        for (size_t at = pos_; data_.size() - at >= 12;) {
            const uint32_t length = be32(&data_[at]);
            if (be32(&data_[at + 4]) != IDAT || length > data_.size() - at - 12) break;
            total += length;
            at += 12 + length;
        }
        return total;
    }

private:
    Chunk peek(size_t at) const {
        if (data_.size() - at < 12) fail("PNG file ends early");
        const uint32_t length = be32(&data_[at]);
        if (length > data_.size() - at - 12) fail("PNG file ends early");
        return {be32(&data_[at + 4]), data_.subspan(at + 8, length)};
    }

    std::span<const uint8_t> data_;
    size_t pos_;
};

struct Header {
    uint32_t width = 0;
    uint32_t height = 0;
    int depth = 0;
    int colorType = 0;
    bool interlaced = false;

    int channels() const {
        static constexpr int perType[7] = {1, 0, 3, 1, 2, 0, 4};
        return perType[colorType];
    }
    int bitsPerPixel() const { return channels() * depth; }
};

Header readHeader(std::span<const uint8_t> body) {
    if (body.size() < 13) fail("Error IHDR size");
    Header h;
    h.width = be32(&body[0]);
    h.height = be32(&body[4]);
    h.depth = body[8];
    h.colorType = body[9];
    const int compression = body[10], filter = body[11], interlace = body[12];
    const int d = h.depth;
    switch (h.colorType) {
    case 0:
    case 4:
        if (d != 1 && d != 2 && d != 4 && d != 8 && d != 16) fail("Error Bitdepth");
        if (h.colorType == 4 && d < 8) fail("not Use AlphaChannel");
        break;
    case 2:
    case 6:
        if (d != 8 && d != 16) fail("Error BitDepth");
        break;
    case 3:
        if (d != 1 && d != 2 && d != 4 && d != 8) fail("Error BitDepth");
        break;
    default:
        fail("Error ColorType");
    }
    // Only method 0 of each exists; anything else is not data we know how to read.
    if (compression != 0) fail("not support Compression");
    if (filter != 0) fail("not supprt Filter");
    if (interlace >= 2) fail("not interlace type");
    h.interlaced = interlace == 1;
    checkPictureSize(h.width, h.height);
    return h;
}

struct Pass {
    int x0, y0, dx, dy;
};
constexpr Pass Adam7[7] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                           {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
constexpr Pass Whole = {0, 0, 1, 1};

uint32_t passExtent(uint32_t size, int start, int step) {
    return size > uint32_t(start) ? (size - start + step - 1) / step : 0;
}

uint8_t paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc) return uint8_t(a);
    return uint8_t(pb <= pc ? b : c);
}

// Undoes the row filter in place; `prev` is the previous reconstructed row of the pass (zeros
// for the first).
void unfilter(int type, uint8_t* row, const uint8_t* prev, size_t n, size_t bpp) {
    switch (type) {
    case 0:
        return;
    case 1:
        for (size_t i = bpp; i < n; ++i) row[i] = uint8_t(row[i] + row[i - bpp]);
        return;
    case 2:
        for (size_t i = 0; i < n; ++i) row[i] = uint8_t(row[i] + prev[i]);
        return;
    case 3:
        for (size_t i = 0; i < bpp && i < n; ++i) row[i] = uint8_t(row[i] + prev[i] / 2);
        for (size_t i = bpp; i < n; ++i)
            row[i] = uint8_t(row[i] + (int(row[i - bpp]) + prev[i]) / 2);
        return;
    case 4:
        for (size_t i = 0; i < bpp && i < n; ++i) row[i] = uint8_t(row[i] + prev[i]);
        for (size_t i = bpp; i < n; ++i)
            row[i] = uint8_t(row[i] + paeth(row[i - bpp], prev[i], prev[i - bpp]));
        return;
    default:
        fail("not support Filter");
    }
}

// Colour over a white background, alpha 0..255.
inline int overWhite(int c, int a) {
    return (c * a + 255 * (255 - a) + 127) / 255;
}

class ImageDataDecoder {
public:
    ImageDataDecoder(const Header& h, const std::vector<Color>& palette, ChunkCursor& cursor,
                     std::span<const uint8_t> firstIdat)
        : h_(h), palette_(palette), cursor_(cursor), rest_(firstIdat) {
        if (inflateInit(&zs_) != Z_OK) fail("zlib error");
    }
    ~ImageDataDecoder() { inflateEnd(&zs_); }
    ImageDataDecoder(const ImageDataDecoder&) = delete;
    ImageDataDecoder& operator=(const ImageDataDecoder&) = delete;

    RasterImage decode() {
        RasterImage image;
        image.width = int(h_.width);
        image.height = int(h_.height);
        image.pixels.resize(size_t(h_.width) * h_.height);
        if (!h_.interlaced) {
            decodePass(Whole, image);
        } else {
            for (const Pass& p : Adam7) decodePass(p, image);
        }
        return image;
    }

private:
    void decodePass(const Pass& p, RasterImage& image) {
        const uint32_t w = passExtent(h_.width, p.x0, p.dx);
        const uint32_t rows = passExtent(h_.height, p.y0, p.dy);
        if (w == 0 || rows == 0) return;
        const size_t rowBytes = (size_t(w) * h_.bitsPerPixel() + 7) / 8;
        const size_t bpp = std::max(1, h_.bitsPerPixel() / 8);
        std::vector<uint8_t> prev(rowBytes, 0), cur(rowBytes + 1);
        for (uint32_t y = 0; y < rows; ++y) {
            fill(cur.data(), cur.size());
            unfilter(cur[0], cur.data() + 1, prev.data(), rowBytes, bpp);
            std::memcpy(prev.data(), cur.data() + 1, rowBytes);
            Color* out = &image.pixels[size_t(p.y0 + y * p.dy) * h_.width + p.x0];
            emitRow(prev.data(), w, out, p.dx);
        }
    }

    // Inflates exactly n bytes, taking input from the current run of IDAT chunks.
    void fill(uint8_t* buf, size_t n) {
        zs_.next_out = buf;
        zs_.avail_out = uInt(n);
        while (zs_.avail_out > 0) {
            if (zs_.avail_in == 0) {
                while (rest_.empty()) {
                    const Chunk next = cursor_.next();
                    if (next.type != IDAT) fail("not next IDAT Chunk");
                    rest_ = next.body;
                }
                const size_t take = std::min(rest_.size(), MaxRead);
                zs_.next_in = const_cast<Bytef*>(rest_.data());
                zs_.avail_in = uInt(take);
                rest_ = rest_.subspan(take);
            }
            const int r = inflate(&zs_, Z_NO_FLUSH);
            if (r == Z_STREAM_END && zs_.avail_out > 0) fail("Image data ends early");
            if (r != Z_OK && r != Z_STREAM_END && r != Z_BUF_ERROR) fail("zlib error");
        }
    }

    int sample(const uint8_t* row, size_t index) const {
        const int d = h_.depth;
        if (d == 8) return row[index];
        if (d == 16) return row[2 * index];
        const size_t bit = index * d;
        return (row[bit / 8] >> (8 - d - bit % 8)) & ((1 << d) - 1);
    }

    void emitRow(const uint8_t* row, uint32_t w, Color* out, int step) const {
        const int bytes = h_.depth == 16 ? 2 : 1;
        switch (h_.colorType) {
        case 0: {
            const int scale = 255 / ((1 << std::min(h_.depth, 8)) - 1);
            for (uint32_t x = 0; x < w; ++x, out += step) {
                const int g = sample(row, x) * scale;
                *out = rgbColor(g, g, g);
            }
            break;
        }
        case 2:
            for (uint32_t x = 0; x < w; ++x, out += step, row += 3 * bytes)
                *out = rgbColor(row[0], row[bytes], row[2 * bytes]);
            break;
        case 3:
            for (uint32_t x = 0; x < w; ++x, out += step) {
                const size_t i = size_t(sample(row, x));
                *out = i < palette_.size() ? palette_[i] : rgbColor(0, 0, 0);
            }
            break;
        case 4:
            for (uint32_t x = 0; x < w; ++x, out += step, row += 2 * bytes) {
                const int g = overWhite(row[0], row[bytes]);
                *out = rgbColor(g, g, g);
            }
            break;
        case 6:
            for (uint32_t x = 0; x < w; ++x, out += step, row += 4 * bytes) {
                const int a = row[3 * bytes];
                *out = rgbColor(overWhite(row[0], a), overWhite(row[bytes], a),
                                overWhite(row[2 * bytes], a));
            }
            break;
        }
    }

    const Header& h_;
    const std::vector<Color>& palette_;
    ChunkCursor& cursor_;
    std::span<const uint8_t> rest_;
    z_stream zs_{};
};

uint64_t rawImageBytes(const Header& h) {
    uint64_t total = 0;
    const auto passBytes = [&](const Pass& p) {
        const uint64_t w = passExtent(h.width, p.x0, p.dx);
        const uint64_t rows = passExtent(h.height, p.y0, p.dy);
        return w == 0 ? 0 : rows * (1 + (w * h.bitsPerPixel() + 7) / 8);
    };
    if (!h.interlaced) return passBytes(Whole);
    for (const Pass& p : Adam7) total += passBytes(p);
    return total;
}

std::vector<Color> readPalette(std::span<const uint8_t> body) {
    if (body.size() % 3 != 0) fail("palettesize error");
    if (body.size() > 256 * 3) fail("palette length over");
    std::vector<Color> palette;
    for (size_t i = 0; i < body.size(); i += 3)
        palette.push_back(rgbColor(body[i], body[i + 1], body[i + 2]));
    return palette;
}

} // namespace

RasterImage readPng(std::span<const uint8_t> data) {
    if (data.size() < Signature.size() ||
        !std::equal(Signature.begin(), Signature.end(), data.begin()))
        fail("Not PNG Image");
    ChunkCursor cursor(data);
    std::optional<Header> header;
    std::optional<std::vector<Color>> palette;
    std::optional<RasterImage> image;
    uint32_t previousType = 0;
    for (;;) {
        const Chunk chunk = cursor.next();
        switch (chunk.type) {
        case IHDR:
            if (header) fail("appear two IHDR");
            header = readHeader(chunk.body);
            break;
        case PLTE:
            if (!header || palette) fail("Error PLTE");
            palette = readPalette(chunk.body);
            break;
        case IDAT:
            if (!header) fail("IDAT before IHDR");
            if (image && previousType == IDAT) break; // the rest of the run, not needed
            if (image) fail("appear two IDAT");
            if (header->colorType == 3 && (!palette || palette->empty())) fail("Palette None");
            if ((cursor.idatRunBytes() + chunk.body.size() + 64) * MaxInflateRatio <
                rawImageBytes(*header))
                fail("Image data ends early");
            image = ImageDataDecoder(*header, palette ? *palette : std::vector<Color>{}, cursor,
                                     chunk.body)
                        .decode();
            break;
        case IEND:
            if (!chunk.body.empty()) fail("error IEND size");
            if (!image) fail("No image data");
            return std::move(*image);
        default:
            break;
        }
        previousType = chunk.type;
    }
}

} // namespace plumex
