#pragma once
// Windows bitmap files written row by row: 8 bits with a palette of 256 greys, 1 bit with
// black and white, or 24-bit colour. Rows go bottom-up (positive height), each padded to 4 bytes.

#include "raster/RasterImage.h"

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <span>
#include <vector>

namespace plumex {

enum class BmpFormat { Grey8, Mono1, Rgb24 };

// Where the bytes go, in order.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual void write(std::span<const std::uint8_t> bytes) = 0;
};

class StreamByteSink : public ByteSink {
public:
    explicit StreamByteSink(std::ostream& out) : out_(out) {}
    void write(std::span<const std::uint8_t> bytes) override;

private:
    std::ostream& out_;
};

// Counts the bytes instead of keeping them.
class CountingByteSink : public ByteSink {
public:
    void write(std::span<const std::uint8_t> bytes) override { count_ += bytes.size(); }
    std::uint64_t count() const { return count_; }

private:
    std::uint64_t count_ = 0;
};

// The file's size in bytes, or nothing when a bitmap file cannot hold the picture: a side
// outside 1 .. 2^31 - 1 or a file past the 32-bit size field.
std::optional<std::uint64_t> bmpFileSize(std::int64_t width, std::int64_t height, BmpFormat format);

class BmpWriter {
public:
    // Writes the headers and the palette. Throws std::length_error when bmpFileSize refuses.
    BmpWriter(ByteSink& sink, std::int64_t width, std::int64_t height, BmpFormat format);

    // The next row up, `width` greys; the monochrome file takes 128 and above as white.
    // Throws std::logic_error for a wrong width, a row past the last or a colour file.
    void writeRow(std::span<const std::uint8_t> greys);
    // The next row up of a colour file, `width` colours. Throws as writeRow does, and for a file
    // of greys.
    void writeRow(std::span<const Color> colours);
    bool complete() const { return rowsWritten_ == height_; }

private:
    ByteSink& sink_;
    std::int64_t width_, height_;
    BmpFormat format_;
    std::int64_t rowsWritten_ = 0;
    std::vector<std::uint8_t> row_;
};

} // namespace plumex
