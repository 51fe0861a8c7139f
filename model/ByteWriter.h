#pragma once
// Little-endian writer that appends to a growing byte buffer.

#include "model/Coord.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace plumex {

class ByteWriter {
public:
    void reserve(std::size_t n) { bytes_.reserve(n); }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::vector<std::uint8_t> release() { return std::move(bytes_); }

    void writeByte(std::uint8_t v) { bytes_.push_back(v); }
    void writeInt32(std::int32_t v);
    void writeDouble(double v);
    void writeCoord(TCvCoord c) {
        writeDouble(c.x);
        writeDouble(c.y);
    }
    // An int32 count; throws std::length_error when n does not fit.
    void writeCount(std::size_t n);
    // An int32 length and the bytes, unchanged.
    void writeText(std::string_view text);
    void writeBytes(const void* data, std::size_t n);
    // n new bytes at the end, to be filled by the caller.
    std::uint8_t* extend(std::size_t n) {
        bytes_.resize(bytes_.size() + n);
        return bytes_.data() + bytes_.size() - n;
    }

private:
    std::vector<std::uint8_t> bytes_;
};

// Encoding of little-endian values into raw bytes.
void storeInt32(std::uint8_t* p, std::int32_t v);
void storeDouble(std::uint8_t* p, double v);

} // namespace plumex
