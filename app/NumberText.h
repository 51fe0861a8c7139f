#pragma once
// Numbers as the settings file stores them.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace plumex {

// The shortest text that reads back to the same double, with "." as separator.
std::string formatDecimal(double value);

// A finite decimal number with "." or "," as separator, surrounding blanks allowed;
// nothing for anything else (including trailing junk, infinities and NaN).
std::optional<double> parseDecimal(std::string_view text);

// A decimal int32 with an optional sign, surrounding blanks allowed; nothing on overflow.
std::optional<int32_t> parseInteger(std::string_view text);

} // namespace plumex
