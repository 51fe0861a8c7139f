#include "model/ByteInput.h"

#include "model/Endian.h"
#include "model/ModelMessages.h"
#include "model/ReadError.h"

#include <algorithm>
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

void ByteInput::refillFor(std::size_t n) {
    if (n > remaining()) throw ReadError(StreamReadError);
    refill(n);
}

std::uint8_t ByteInput::readByte() {
    return take(1)[0];
}
std::int32_t ByteInput::readInt32() {
    return loadInt32(take(4).data());
}
double ByteInput::readDouble() {
    return loadDouble(take(8).data());
}

double ByteInput::readFinite() {
    const double v = readDouble();
    if (!std::isfinite(v)) throw ReadError(InvalidData);
    return v;
}

TCvCoord ByteInput::readCoord() {
    const double x = readFinite();
    return {x, readFinite()};
}

std::size_t ByteInput::readCount(std::size_t itemSize) {
    const std::int32_t n = readInt32();
    if (n < 0) throw ReadError(InvalidData);
    const auto count = static_cast<std::size_t>(n);
    if (itemSize != 0 && count > remaining() / itemSize) throw ReadError(InvalidData);
    return count;
}

std::string ByteInput::readText() {
    const std::size_t n = readCount(1);
    std::string text;
    text.reserve(n);
    // In pieces, so a long text read from a file needs no second copy of itself in memory.
    constexpr std::size_t Piece = std::size_t{1} << 16;
    while (text.size() < n) {
        const auto bytes = take(std::min(n - text.size(), Piece));
        text.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    return text;
}

} // namespace plumex
