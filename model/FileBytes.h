#pragma once
// Whole-file reading and crash-safe replacement of a file's content.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <span>
#include <string>
#include <vector>

namespace plumex {

// Larger than any drawing this program writes by far (a million anchors take 50 MB), small
// enough that a device or pipe without end cannot eat the memory.
inline constexpr std::size_t MaxFileBytes = std::size_t{1} << 30;

// The file's bytes; throws ReadError with the system's reason when it cannot be read, and
// "File too large" past `maxBytes`.
std::vector<std::uint8_t> readFileBytes(const std::string& fileName,
                                        std::size_t maxBytes = MaxFileBytes);

// Writes `bytes` to a temporary file in the target's folder, flushes it to disk and renames it
// over the target, so the previous content survives any failure. Throws std::system_error
// (the temporary file is removed then). A symbolic link is followed, not replaced.
void writeFileAtomically(const std::string& fileName, std::span<const std::uint8_t> bytes);

// The streaming form, for content too large to build in memory first: `write` puts the content
// into a stream buffered in 64 KiB pieces that go straight to the temporary file. The target is
// replaced only when `write` returns and every byte reached the disk. A failed write throws
// std::system_error; an exception from `write` passes through. Either way the target is left
// as it was and the temporary file is removed.
void writeFileAtomically(const std::string& fileName,
                         const std::function<void(std::ostream&)>& write);

} // namespace plumex
