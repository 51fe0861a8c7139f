#include "export/PovFormat.h"

#include <algorithm>
#include <array>
#include <bit>
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

// Room for the largest double in fixed notation: 309 digits, sign, point, 20 decimals.
constexpr std::size_t NumberRoom = 352;

constexpr auto digitPairs = [] {
    std::array<char, 200> t{};
    for (int i = 0; i < 100; ++i) {
        t[static_cast<std::size_t>(2 * i)] = static_cast<char>('0' + i / 10);
        t[static_cast<std::size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
    }
    return t;
}();

// Exactly eight digits of v < 10^8, with leading zeros.
void putEight(char* p, std::uint32_t v) {
    const std::uint32_t hi = v / 10000, lo = v % 10000;
    std::memcpy(p, &digitPairs[2 * (hi / 100)], 2);
    std::memcpy(p + 2, &digitPairs[2 * (hi % 100)], 2);
    std::memcpy(p + 4, &digitPairs[2 * (lo / 100)], 2);
    std::memcpy(p + 6, &digitPairs[2 * (lo % 100)], 2);
}

// The number of decimal digits of q > 0: from its bit length, corrected by one comparison.
int decimalDigits(std::uint64_t q) {
    const int guess = (64 - std::countl_zero(q)) * 1233 >> 12; // log10(2) ~ 1233 / 4096
    return guess + (q >= powersOf10[static_cast<std::size_t>(guess)] ? 1 : 0); // guess <= 19
}

// q with the point put `accuracy` places from the right, at least one digit before it,
// trailing zeros and a trailing point cut; written at `p`, which has NumberRoom bytes. The
// digits are made 24 at a time, zero-padded, and copied in fixed-size moves.
char* putScaled(char* p, bool negative, std::uint64_t q, int accuracy) {
    if (q == 0) { // also what a negative value rounding to zero gives
        *p++ = '0';
        return p;
    }
    if (negative) *p++ = '-';
    constexpr std::uint64_t e8 = 100000000, e16 = e8 * e8;
    char d[48];
    putEight(d, static_cast<std::uint32_t>(q / e16)); // q < 1.9e19, so below 10^8
    const std::uint64_t rest = q % e16;
    putEight(d + 8, static_cast<std::uint32_t>(rest / e8));
    putEight(d + 16, static_cast<std::uint32_t>(rest % e8));
    const char* point = d + 24 - accuracy;
    // Leading zeros go, but one digit always stays before the point.
    const char* first = std::min<const char*>(d + 24 - decimalDigits(q), point - 1);
    const char* end = d + 24;
    while (end > point && end[-1] == '0') --end;
    std::memcpy(p, first, 24); // at most 24 digits are kept of it
    p += point - first;
    if (end == point) return p;
    *p++ = '.';
    std::memcpy(p, point, 24);
    return p + (end - point);
}

char* putPovNumber(char* p, double value, int accuracy) {
    std::uint64_t q;
    if (scaledDigits(value, accuracy, q)) return putScaled(p, std::signbit(value), q, accuracy);
    const auto res = std::to_chars(p, p + NumberRoom, value, std::chars_format::fixed, accuracy);
    char* end = res.ptr;
    if (std::find(p, end, '.') != end) {
        while (end[-1] == '0') --end;
        if (end[-1] == '.') --end;
    }
    return end;
}

} // namespace

// The hot loop of a large export: each number (or vector) is made in a local buffer and
// appended once.
void appendPovNumber(std::string& out, double value, int accuracy) {
    char buf[NumberRoom];
    out.append(buf,
               static_cast<std::size_t>(putPovNumber(buf, value, clampAccuracy(accuracy)) - buf));
}

void appendPovVector(std::string& out, TCvCoord p, int accuracy) {
    accuracy = clampAccuracy(accuracy);
    char buf[2 * NumberRoom + 3];
    char* at = buf;
    *at++ = '<';
    at = putPovNumber(at, p.x, accuracy);
    *at++ = ',';
    at = putPovNumber(at, p.y, accuracy);
    *at++ = '>';
    out.append(buf, static_cast<std::size_t>(at - buf));
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
