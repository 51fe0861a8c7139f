#pragma once
// Little-endian reader over a byte buffer that never reads past its end. Every read checks the
// bytes that remain first, so a damaged buffer fails with a ReadError instead of overrunning.

#include "model/Coord.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace plumex {

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t position() const { return pos_; }
    std::size_t size() const { return bytes_.size(); }
    std::size_t remaining() const { return bytes_.size() - pos_; }
    bool atEnd() const { return pos_ >= bytes_.size(); }

    std::uint8_t readByte();
    std::int32_t readInt32();
    // Any bit pattern, copied unchanged.
    double readDouble();
    // A double that must be a finite number ("Invalid Data" otherwise).
    double readFinite();
    TCvCoord readCoord();
    // An int32 length and that many bytes; the length is checked before allocating.
    std::string readText();
    // An int32 count of items of `itemSize` bytes each; fails with "Invalid Data" when it is
    // negative or the items cannot fit in the bytes that remain.
    std::size_t readCount(std::size_t itemSize);

    // The next n bytes, after checking that they exist; the view stays valid with the buffer.
    std::span<const std::uint8_t> take(std::size_t n);

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

// Decoding of little-endian values from raw bytes (the caller has checked the length).
std::int32_t loadInt32(const std::uint8_t* p);
double loadDouble(const std::uint8_t* p);

} // namespace plumex
