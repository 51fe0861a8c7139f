#pragma once
// Checked little-endian reads over a byte buffer in memory (see ByteInput).

#include "model/ByteInput.h"

namespace plumex {

class ByteReader final : public ByteInput {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) {
        setWindow(bytes.data(), bytes.data() + bytes.size(), 0);
    }

private:
    // The whole buffer is the window, so a refill is never needed.
    void refill(std::size_t) override;
};

} // namespace plumex
