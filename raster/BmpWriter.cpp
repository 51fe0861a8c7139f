#include "raster/BmpWriter.h"

#include <algorithm>
#include <ostream>
#include <stdexcept>

namespace plumex {
namespace {

constexpr std::uint64_t HeaderBytes = 14 + 40;

int bitsPerPixel(BmpFormat f) {
    return f == BmpFormat::Grey8 ? 8 : f == BmpFormat::Mono1 ? 1 : 24;
}

std::uint32_t paletteColours(BmpFormat f) {
    return f == BmpFormat::Grey8 ? 256 : f == BmpFormat::Mono1 ? 2 : 0;
}

std::uint64_t paletteBytes(BmpFormat f) {
    return std::uint64_t{4} * paletteColours(f);
}

std::uint64_t rowBytes(std::int64_t width, BmpFormat f) {
    const std::uint64_t bits = static_cast<std::uint64_t>(width) * bitsPerPixel(f);
    return (bits + 31) / 32 * 4;
}

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

} // namespace

void StreamByteSink::write(std::span<const std::uint8_t> bytes) {
    out_.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

std::optional<std::uint64_t> bmpFileSize(std::int64_t width, std::int64_t height, BmpFormat f) {
    constexpr std::int64_t maxSide = 0x7FFFFFFF;
    if (width < 1 || height < 1 || width > maxSide || height > maxSide) return std::nullopt;
    const std::uint64_t row = rowBytes(width, f);
    const std::uint64_t limit = 0xFFFFFFFFu - HeaderBytes - paletteBytes(f);
    if (row > limit / static_cast<std::uint64_t>(height)) return std::nullopt;
    return HeaderBytes + paletteBytes(f) + row * static_cast<std::uint64_t>(height);
}

BmpWriter::BmpWriter(ByteSink& sink, std::int64_t width, std::int64_t height, BmpFormat format)
    : sink_(sink), width_(width), height_(height), format_(format) {
    const std::optional<std::uint64_t> size = bmpFileSize(width, height, format);
    if (!size) throw std::length_error("A bitmap file cannot hold this size");
    const std::uint64_t offset = HeaderBytes + paletteBytes(format);
    const int bits = bitsPerPixel(format);
    const std::uint32_t colours = paletteColours(format);
    std::vector<std::uint8_t> head;
    head.reserve(offset);
    head.push_back('B');
    head.push_back('M');
    put32(head, static_cast<std::uint32_t>(*size));
    put32(head, 0); // two reserved words
    put32(head, static_cast<std::uint32_t>(offset));
    put32(head, 40);
    put32(head, static_cast<std::uint32_t>(width));
    put32(head, static_cast<std::uint32_t>(height)); // positive: rows go bottom-up
    put16(head, 1);                                  // planes
    put16(head, static_cast<std::uint32_t>(bits));
    put32(head, 0); // no compression
    put32(head, static_cast<std::uint32_t>(*size - offset));
    put32(head, 3780); // 96 dots per inch, in dots per metre
    put32(head, 3780);
    put32(head, colours);
    put32(head, 0);
    for (std::uint32_t i = 0; i < colours; ++i) {
        const auto grey = static_cast<std::uint8_t>(colours == 2 ? i * 255 : i);
        head.insert(head.end(), {grey, grey, grey, 0}); // blue, green, red, reserved
    }
    sink_.write(head);
    row_.resize(rowBytes(width, format));
}

void BmpWriter::writeRow(std::span<const std::uint8_t> greys) {
    if (static_cast<std::int64_t>(greys.size()) != width_ || rowsWritten_ >= height_ ||
        format_ == BmpFormat::Rgb24)
        throw std::logic_error("BmpWriter: row does not fit the picture");
    if (format_ == BmpFormat::Grey8) {
        std::copy(greys.begin(), greys.end(), row_.begin());
    } else {
        std::fill(row_.begin(), row_.end(), std::uint8_t{0});
        for (std::size_t x = 0; x < greys.size(); ++x)
            if (greys[x] >= 128) row_[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
    sink_.write(row_);
    ++rowsWritten_;
}

void BmpWriter::writeRow(std::span<const Color> colours) {
    if (static_cast<std::int64_t>(colours.size()) != width_ || rowsWritten_ >= height_ ||
        format_ != BmpFormat::Rgb24)
        throw std::logic_error("BmpWriter: row does not fit the picture");
    std::size_t i = 0; // the padding after the pixels stays zero
    for (const Color c : colours) {
        row_[i++] = static_cast<std::uint8_t>(blueOf(c));
        row_[i++] = static_cast<std::uint8_t>(greenOf(c));
        row_[i++] = static_cast<std::uint8_t>(redOf(c));
    }
    sink_.write(row_);
    ++rowsWritten_;
}

} // namespace plumex
