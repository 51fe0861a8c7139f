#pragma once
// Text helpers of the SVG reader that need no XML: where path data stops making sense, the
// short quote a refusal shows, and the gzip wrapper of .svgz files.

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace plumex {

// A value the reader could not read, with the byte offset where reading went wrong.
class SvgValueError : public std::runtime_error {
public:
    SvgValueError(std::string attribute, std::string value, std::size_t fault)
        : std::runtime_error("unreadable SVG value"), attribute(std::move(attribute)),
          value(std::move(value)), fault(fault) {}

    std::string attribute;
    std::string value;
    std::size_t fault;
};

// The offset of the first character of path data (or a list of points) that is neither a
// command, a number nor a separator; the length when every character is one of them.
std::size_t pathDataFault(std::string_view data);

// At most `limit` bytes of `text` around `at`, cut at character boundaries, with "..." where
// text was left out and control characters shown as spaces.
std::string quoteAround(std::string_view text, std::size_t at, std::size_t limit = 60);

// 1-based line and column (in bytes) of `offset` in `text`.
struct TextPosition {
    std::size_t line = 1, column = 1;
};
TextPosition positionOf(std::string_view text, std::size_t offset);

// "10." and "+.5e" style numbers that SVG's grammar allows but strict parsers stop at: a
// trailing point gets a zero after it. Only digits followed by a point and a non-digit change.
std::string withTrailingPointsCompleted(std::string_view value);

bool isGzip(std::span<const std::uint8_t> bytes);
// The unpacked bytes of a gzip stream; throws ReadError when it is damaged or would unpack to
// more than `limit` bytes.
std::vector<std::uint8_t> gunzip(std::span<const std::uint8_t> bytes, std::size_t limit);

} // namespace plumex
