#include "app/NumberText.h"

#include <charconv>
#include <cmath>

namespace plumex {

namespace {

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

// from_chars takes no leading "+"; a sign must still be followed by a digit.
std::string_view withoutPlus(std::string_view text) {
    if (text.size() > 1 && text[0] == '+' && text[1] != '-') text.remove_prefix(1);
    return text;
}

} // namespace

std::string formatDecimal(double value) {
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (ec != std::errc()) return "0";
    return std::string(buffer, end);
}

std::optional<double> parseDecimal(std::string_view text) {
    std::string s(withoutPlus(trimmed(text)));
    if (s.empty()) return std::nullopt;
    for (char& c : s)
        if (c == ',') c = '.';
    double value = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int32_t> parseInteger(std::string_view text) {
    text = withoutPlus(trimmed(text));
    if (text.empty()) return std::nullopt;
    int32_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

} // namespace plumex
