#pragma once
// Whole-file reading and crash-safe replacement of a file's content.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace plumex {

// The file's bytes; throws ReadError with the system's reason when it cannot be read.
std::vector<std::uint8_t> readFileBytes(const std::string& fileName);

// Writes `bytes` to a temporary file in the target's folder, flushes it to disk and renames it
// over the target, so the previous content survives any failure. Throws std::system_error
// (the temporary file is removed then). A symbolic link is followed, not replaced.
void writeFileAtomically(const std::string& fileName, std::span<const std::uint8_t> bytes);

} // namespace plumex
