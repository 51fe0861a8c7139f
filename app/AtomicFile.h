#pragma once
// Replacing a file's content so that a failure never leaves it damaged.

#include <string>
#include <string_view>

namespace plumex {

// Writes the bytes to a temporary file in the target's folder, flushes it to disk and
// renames it over the target. On failure the target is untouched, the temporary file is
// removed and the result is false.
bool writeFileAtomically(const std::string& path, std::string_view bytes);

} // namespace plumex
