#include "canvas/SizeInput.h"

#include "app/NumberText.h"

namespace plumex {

bool sizeKeyAllowed(char32_t ch) {
    if (ch < 0x20 || ch == 0x7F) return true;
    return (ch >= '0' && ch <= '9') || ch == '.';
}

double sizeFieldValue(std::string_view text) {
    return parseDecimal(text).value_or(0.0);
}

std::optional<SizeAnswer> acceptSize(int mode, double width, double height) {
    if (width == 0) return std::nullopt;
    if (mode == 0 && height == 0) return std::nullopt;
    return SizeAnswer{width, height};
}

namespace {

// Built by appending: g++ 12 warns falsely on the operator+ chain at -O3.
std::string quoted(std::string_view text, std::string_view what) {
    std::string out;
    out.reserve(text.size() + what.size() + 2);
    out.push_back('\'');
    out.append(text);
    out.push_back('\'');
    out.append(what);
    return out;
}

} // namespace

std::variant<GridSize, std::string> parseGridSize(std::string_view units, std::string_view knots) {
    const std::optional<double> u = parseDecimal(units);
    if (!u) return quoted(units, " is not a valid floating point value");
    const std::optional<int32_t> k = parseInteger(knots);
    if (!k) return quoted(knots, " is not a valid integer value");
    // The step grid takes every k-th line; k below 1 has no such line.
    if (*k < 1) return quoted(knots, " is not a valid step interval (1 or more)");
    return GridSize{*u, *k};
}

} // namespace plumex
