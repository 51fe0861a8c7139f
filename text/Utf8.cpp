#include "text/Utf8.h"

namespace plumex {

namespace {

// Length of the sequence a lead byte starts, 0 when it cannot start one.
int sequenceLength(unsigned char b) {
    if (b < 0x80) return 1;
    if (b >= 0xC2 && b <= 0xDF) return 2;
    if (b >= 0xE0 && b <= 0xEF) return 3;
    if (b >= 0xF0 && b <= 0xF4) return 4;
    return 0;
}

} // namespace

std::u32string decodeUtf8(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int len = sequenceLength(lead);
        if (len == 1) {
            out.push_back(lead);
            ++i;
            continue;
        }
        char32_t c = len == 2 ? lead & 0x1Fu : len == 3 ? lead & 0x0Fu : lead & 0x07u;
        int k = 1;
        for (; len > 0 && k < len && i + k < text.size(); ++k) {
            const auto b = static_cast<unsigned char>(text[i + k]);
            if ((b & 0xC0) != 0x80) break;
            c = (c << 6) | (b & 0x3Fu);
        }
        const char32_t minimum = len == 3 ? 0x800 : len == 4 ? 0x10000 : 0x80;
        if (len == 0 || k < len || c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            out.push_back(ReplacementCharacter);
            ++i;
            continue;
        }
        out.push_back(c);
        i += static_cast<std::size_t>(len);
    }
    return out;
}

void appendUtf8(std::string& out, char32_t c) {
    if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) c = ReplacementCharacter;
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

} // namespace plumex
