#include "model/ByteWriter.h"

#include "model/Endian.h"

#include <cstring>
#include <limits>
#include <stdexcept>

namespace plumex {

void storeInt32(std::uint8_t* p, std::int32_t v) {
    v = littleEndian(v);
    std::memcpy(p, &v, sizeof v);
}

void storeDouble(std::uint8_t* p, double v) {
    const std::uint64_t u = littleEndian(std::bit_cast<std::uint64_t>(v));
    std::memcpy(p, &u, sizeof u);
}

void ByteWriter::writeInt32(std::int32_t v) {
    std::uint8_t b[4];
    storeInt32(b, v);
    writeBytes(b, sizeof b);
}

void ByteWriter::writeDouble(double v) {
    std::uint8_t b[8];
    storeDouble(b, v);
    writeBytes(b, sizeof b);
}

void ByteWriter::writeCount(std::size_t n) {
    if (n > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw std::length_error("Too many items for the file format");
    writeInt32(static_cast<std::int32_t>(n));
}

void ByteWriter::writeText(std::string_view text) {
    writeCount(text.size());
    writeBytes(text.data(), text.size());
}

void ByteWriter::writeBytes(const void* data, std::size_t n) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    bytes_.insert(bytes_.end(), p, p + n);
}

} // namespace plumex
