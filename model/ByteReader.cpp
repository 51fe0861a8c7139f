#include "model/ByteReader.h"

#include "model/Endian.h"
#include "model/ModelMessages.h"
#include "model/ReadError.h"

#include <cmath>
#include <cstring>

namespace plumex {

std::int32_t loadInt32(const std::uint8_t* p) {
    std::int32_t v;
    std::memcpy(&v, p, sizeof v);
    return littleEndian(v);
}

double loadDouble(const std::uint8_t* p) {
    std::uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return std::bit_cast<double>(littleEndian(v));
}

std::span<const std::uint8_t> ByteReader::take(std::size_t n) {
    if (n > remaining()) throw ReadError(StreamReadError);
    auto out = bytes_.subspan(pos_, n);
    pos_ += n;
    return out;
}

std::uint8_t ByteReader::readByte() {
    return take(1)[0];
}
std::int32_t ByteReader::readInt32() {
    return loadInt32(take(4).data());
}
double ByteReader::readDouble() {
    return loadDouble(take(8).data());
}

double ByteReader::readFinite() {
    const double v = readDouble();
    if (!std::isfinite(v)) throw ReadError(InvalidData);
    return v;
}

TCvCoord ByteReader::readCoord() {
    const double x = readFinite();
    return {x, readFinite()};
}

std::size_t ByteReader::readCount(std::size_t itemSize) {
    const std::int32_t n = readInt32();
    if (n < 0) throw ReadError(InvalidData);
    const auto count = static_cast<std::size_t>(n);
    if (itemSize != 0 && count > remaining() / itemSize) throw ReadError(InvalidData);
    return count;
}

std::string ByteReader::readText() {
    const auto bytes = take(readCount(1));
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

} // namespace plumex
