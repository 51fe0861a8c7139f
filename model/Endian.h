#pragma once
// Files store numbers little-endian; this swaps on the rare big-endian host.

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

namespace plumex {

template <class T> T littleEndian(T v) {
    if constexpr (std::endian::native == std::endian::big) {
        auto u = std::bit_cast<std::array<std::uint8_t, sizeof(T)>>(v);
        std::reverse(u.begin(), u.end());
        return std::bit_cast<T>(u);
    }
    return v;
}

} // namespace plumex
