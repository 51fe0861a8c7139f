#pragma once
// Little-endian reads that never pass the end of their input. Every read checks the bytes that
// remain first, so damaged input fails with a ReadError instead of overrunning, and every count
// or length is checked against those bytes before anything is allocated. The input is a window
// of bytes in memory that a reader may refill from where the rest of its bytes live.

#include "model/Coord.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace plumex {

class ByteInput {
public:
    virtual ~ByteInput() = default;
    ByteInput(const ByteInput&) = delete;
    ByteInput& operator=(const ByteInput&) = delete;

    std::size_t remaining() const { return static_cast<std::size_t>(end_ - cur_) + beyond_; }
    bool atEnd() const { return cur_ == end_ && beyond_ == 0; }

    // The next n bytes, after checking that they exist; the view is valid until the next read.
    std::span<const std::uint8_t> take(std::size_t n) {
        if (n > static_cast<std::size_t>(end_ - cur_)) refillFor(n);
        const std::span<const std::uint8_t> out(cur_, n);
        cur_ += n;
        return out;
    }

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

protected:
    ByteInput() = default;

    // The bytes in memory from the read position on, and how many follow them elsewhere.
    void setWindow(const std::uint8_t* begin, const std::uint8_t* end, std::size_t beyond) {
        cur_ = begin;
        end_ = end;
        beyond_ = beyond;
    }
    // The unread bytes of the window, which a refill keeps.
    std::span<const std::uint8_t> unread() const {
        return {cur_, static_cast<std::size_t>(end_ - cur_)};
    }
    // Sets a window that starts with the unread bytes and holds at least n bytes; n never
    // exceeds remaining(). Throws ReadError when the bytes cannot be had after all.
    virtual void refill(std::size_t n) = 0;

private:
    void refillFor(std::size_t n);

    const std::uint8_t* cur_ = nullptr;
    const std::uint8_t* end_ = nullptr;
    std::size_t beyond_ = 0;
};

// Decoding of little-endian values from raw bytes (the caller has checked the length).
std::int32_t loadInt32(const std::uint8_t* p);
double loadDouble(const std::uint8_t* p);

} // namespace plumex
