#include "export/PovFormat.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace plumex {

int clampAccuracy(int accuracy) {
    return std::clamp(accuracy, 0, 20);
}

namespace {

using u128 = unsigned __int128;

constexpr auto powersOf10 = [] {
    std::array<std::uint64_t, 20> p{};
    p[0] = 1;
    for (std::size_t i = 1; i < p.size(); ++i) p[i] = p[i - 1] * 10;
    return p;
}();

// round(|v| * 10^accuracy), ties to even, from the exact binary value (as printf rounds), when
// the result fits in 64 bits. Everything else (huge, NaN, infinite) is left to std::to_chars.
bool scaledDigits(double v, int accuracy, std::uint64_t& q) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    const int field = static_cast<int>((bits >> 52) & 0x7ff);
    if (field == 0x7ff) return false;
    std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
    if (field != 0) mantissa |= std::uint64_t{1} << 52;
    const int exponent = (field == 0 ? 1 : field) - 1075;
    // mantissa < 2^53 and 10^20 < 2^67, so the product is exact.
    u128 p =
        static_cast<u128>(mantissa) * powersOf10[static_cast<std::size_t>(std::min(accuracy, 19))];
    if (accuracy == 20) p *= 10;
    if (exponent >= 0) {
        if (exponent >= 64 || (p >> (64 - exponent)) != 0) return false;
        q = static_cast<std::uint64_t>(p << exponent);
        return true;
    }
    const int shift = -exponent;
    if (shift >= 128) { // p < 2^120 is below half of one unit: rounds to 0
        q = 0;
        return true;
    }
    const u128 whole = p >> shift;
    if ((whole >> 64) != 0 || static_cast<std::uint64_t>(whole) == UINT64_MAX) return false;
    const u128 rest = p - (whole << shift);
    const u128 half = u128{1} << (shift - 1);
    q = static_cast<std::uint64_t>(whole);
    if (rest > half || (rest == half && (q & 1))) ++q;
    return true;
}

void appendScaled(std::string& out, bool negative, std::uint64_t q, int accuracy) {
    if (q == 0) { // also what a negative value rounding to zero gives
        out += '0';
        return;
    }
    if (negative) out += '-';
    // The digits of q with the point put `accuracy` places from the right; leading zeros make
    // sure there is at least one digit before the point.
    char buf[48];
    char* digits = buf + 24;
    char* end = std::to_chars(digits, buf + sizeof buf, q).ptr;
    while (end - digits <= accuracy) *--digits = '0';
    char* point = end - accuracy;
    out.append(digits, static_cast<std::size_t>(point - digits));
    while (end != point && end[-1] == '0') --end;
    if (end == point) return;
    out += '.';
    out.append(point, static_cast<std::size_t>(end - point));
}

} // namespace

void appendPovNumber(std::string& out, double value, int accuracy) {
    accuracy = clampAccuracy(accuracy);
    std::uint64_t q;
    if (scaledDigits(value, accuracy, q)) {
        appendScaled(out, std::signbit(value), q, accuracy);
        return;
    }
    // Room for the largest double in fixed notation: 309 digits, sign, point, 20 decimals.
    char buf[352];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, accuracy);
    char* end = res.ptr;
    if (std::find(buf, end, '.') != end) {
        while (end[-1] == '0') --end;
        if (end[-1] == '.') --end;
    }
    out.append(buf, static_cast<std::size_t>(end - buf));
}

void appendPovVector(std::string& out, TCvCoord p, int accuracy) {
    out += '<';
    appendPovNumber(out, p.x, accuracy);
    out += ',';
    appendPovNumber(out, p.y, accuracy);
    out += '>';
}

} // namespace plumex

std::string FormatPovNumber(double value, int accuracy) {
    std::string s;
    plumex::appendPovNumber(s, value, accuracy);
    return s;
}

std::string FormatPovVector(TCvCoord p, int accuracy) {
    std::string s;
    plumex::appendPovVector(s, p, accuracy);
    return s;
}

namespace {

// Blanks and control characters, the characters trimmed from both ends of the memo.
bool isTrimmed(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}

} // namespace

std::string IndentLines(std::string_view text, std::string_view prefix, std::string_view suffix) {
    while (!text.empty() && isTrimmed(text.front())) text.remove_prefix(1);
    while (!text.empty() && isTrimmed(text.back())) text.remove_suffix(1);
    if (text.empty()) return {};
    std::vector<std::string_view> lines = splitLines(text);
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    std::string out;
    for (std::string_view line : lines) {
        out.append(prefix);
        out.append(line);
        out.append(suffix);
        out.append("\r\n");
    }
    return out;
}
