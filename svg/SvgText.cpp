#include "svg/SvgText.h"

#include "model/ReadError.h"

#include <zlib.h>

#include <cctype>
#include <cstring>

namespace plumex {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The length of a number starting at `i`, or 0.
std::size_t numberLength(std::string_view s, std::size_t i) {
    std::size_t j = i;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    std::size_t digits = 0;
    while (j < s.size() && isDigit(s[j])) ++j, ++digits;
    if (j < s.size() && s[j] == '.') {
        ++j;
        while (j < s.size() && isDigit(s[j])) ++j, ++digits;
    }
    if (digits == 0) return 0;
    if (j < s.size() && (s[j] == 'e' || s[j] == 'E')) {
        std::size_t k = j + 1;
        if (k < s.size() && (s[k] == '+' || s[k] == '-')) ++k;
        if (k < s.size() && isDigit(s[k])) {
            while (k < s.size() && isDigit(s[k])) ++k;
            j = k;
        }
    }
    return j - i;
}

} // namespace

std::size_t pathDataFault(std::string_view data) {
    static constexpr std::string_view commands = "MmLlHhVvCcSsQqTtAaZz";
    std::size_t i = 0;
    while (i < data.size()) {
        const char c = data[i];
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == ',' ||
            commands.find(c) != std::string_view::npos) {
            ++i;
            continue;
        }
        const std::size_t n = numberLength(data, i);
        if (n == 0) return i;
        i += n;
    }
    return data.size();
}

std::string quoteAround(std::string_view text, std::size_t at, std::size_t limit) {
    at = std::min(at, text.size());
    std::size_t begin = at > limit / 2 ? at - limit / 2 : 0;
    std::size_t end = std::min(text.size(), begin + limit);
    if (end - begin < limit) begin = end > limit ? end - limit : 0;
    const auto continuation = [&](std::size_t i) {
        return i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
    };
    while (begin > 0 && continuation(begin)) --begin;
    while (end < text.size() && continuation(end)) --end;
    std::string out = begin > 0 ? "..." : "";
    for (std::size_t i = begin; i < end; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        out += c < 0x20 || c == 0x7F ? ' ' : text[i];
    }
    if (end < text.size()) out += "...";
    return out;
}

TextPosition positionOf(std::string_view text, std::size_t offset) {
    TextPosition p;
    offset = std::min(offset, text.size());
    for (std::size_t i = 0; i < offset; ++i) {
        if (text[i] == '\n') {
            ++p.line;
            p.column = 1;
        } else {
            ++p.column;
        }
    }
    return p;
}

std::string withTrailingPointsCompleted(std::string_view value) {
    std::string out;
    out.reserve(value.size() + 2);
    for (std::size_t i = 0; i < value.size(); ++i) {
        out += value[i];
        if (value[i] == '.' && i > 0 && isDigit(value[i - 1]) &&
            (i + 1 == value.size() || !isDigit(value[i + 1])))
            out += '0';
    }
    return out;
}

bool isGzip(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= 2 && bytes[0] == 0x1F && bytes[1] == 0x8B;
}

std::vector<std::uint8_t> gunzip(std::span<const std::uint8_t> bytes, std::size_t limit) {
    z_stream z;
    std::memset(&z, 0, sizeof z);
    if (inflateInit2(&z, 16 + MAX_WBITS) != Z_OK) throw std::bad_alloc();
    std::vector<std::uint8_t> out;
    std::uint8_t buffer[65536];
    std::size_t fed = 0;
    int rc = Z_OK;
    while (rc != Z_STREAM_END) {
        if (z.avail_in == 0 && fed < bytes.size()) {
            const std::size_t n = std::min<std::size_t>(bytes.size() - fed, 1u << 30);
            z.next_in = const_cast<Bytef*>(bytes.data() + fed);
            z.avail_in = static_cast<uInt>(n);
            fed += n;
        }
        z.next_out = buffer;
        z.avail_out = sizeof buffer;
        rc = inflate(&z, Z_NO_FLUSH);
        if (rc != Z_OK && rc != Z_STREAM_END) break;
        const std::size_t got = sizeof buffer - z.avail_out;
        if (out.size() + got > limit) {
            inflateEnd(&z);
            throw ReadError("The compressed SVG file unpacks to more than " +
                            std::to_string(limit >> 20) + " MB");
        }
        out.insert(out.end(), buffer, buffer + got);
        if (rc == Z_OK && got == 0 && z.avail_in == 0 && fed == bytes.size()) break;
    }
    inflateEnd(&z);
    if (rc != Z_STREAM_END) throw ReadError("The compressed SVG file is damaged or cut short");
    return out;
}

} // namespace plumex
