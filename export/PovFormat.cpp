#include "export/PovFormat.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace plumex {

int clampAccuracy(int accuracy) {
    return std::clamp(accuracy, 0, 20);
}

void appendPovNumber(std::string& out, double value, int accuracy) {
    // Room for the largest double in fixed notation: 309 digits, sign, point, 20 decimals.
    char buf[352];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed,
                                   clampAccuracy(accuracy));
    char* end = res.ptr;
    if (std::find(buf, end, '.') != end) {
        while (end[-1] == '0') --end;
        if (end[-1] == '.') --end;
    }
    if (end - buf == 2 && buf[0] == '-' && buf[1] == '0') {
        out += '0';
        return;
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
