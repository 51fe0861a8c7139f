#pragma once
// The private clipboard block that carries paths between windows and processes: an int32
// total size in bytes (counting its own four), then version-5 path records one after another.

#include "model/Path.h"

#include <cstdint>
#include <span>
#include <vector>

namespace plumex {

// Throws std::length_error or std::domain_error when a path cannot be written (see
// TCvLine::Write).
std::vector<std::uint8_t> WriteClipboardBlock(const std::vector<TCvLine>& paths);

// The paths in the first `total` bytes of a block, in order; bytes after them are padding and
// records without anchors are left out. Anything that does not add up (a total below 4 or
// beyond the bytes, a record running past the total, a negative count, a coordinate that is
// not finite) throws ReadError("Invalid Data").
std::vector<TCvLine> ReadClipboardBlock(std::span<const std::uint8_t> block);

} // namespace plumex
