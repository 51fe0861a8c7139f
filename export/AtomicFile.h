#pragma once
// Replacing a file without ever leaving a half-written one in its place.

#include <string>
#include <string_view>

namespace plumex {

// Writes `bytes` to a temporary file in the folder of `path`, flushes it to disk and renames it
// over `path`. On failure the previous file is untouched, the temporary file is removed, false
// is returned and `error` (when given) receives the reason.
bool writeFileAtomically(const std::string& path, std::string_view bytes,
                         std::string* error = nullptr);

} // namespace plumex
