#pragma once
// The document reader reports its errors in English; the user sees them in the current
// language.

#include <string>
#include <string_view>

namespace plumex {

// The version that the "old data" message names.
constexpr std::string_view OldReaderVersion = "0.4";

// The current language's text for a reader error raised with the built-in English text
// of a language message; any other text (such as "Invalid Data") is returned unchanged.
std::string localizedReadError(std::string_view text);

} // namespace plumex
