#pragma once
// UTF-8 text as Unicode code points.

#include <string>
#include <string_view>

namespace plumex {

inline constexpr char32_t ReplacementCharacter = 0xFFFD;

// Each malformed byte, overlong form, surrogate or value past U+10FFFF becomes one U+FFFD.
std::u32string decodeUtf8(std::string_view text);

// Appends the UTF-8 form of `c` (U+FFFD for a surrogate or a value past U+10FFFF).
void appendUtf8(std::string& out, char32_t c);

} // namespace plumex
