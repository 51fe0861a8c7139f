#include "app/StatusText.h"

#include "export/PovFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>

namespace plumex {
namespace {

constexpr double degreesPerRadian = 180.0 / std::numbers::pi;

} // namespace

std::string statusScaleText(double scale) {
    // Whole thousandths as an integer, so the cut is exact and no binary fraction leaks into
    // the text. The canvas keeps the scale within [0.01, 12800].
    if (!std::isfinite(scale) || std::fabs(scale) > 1e15) return FormatPovNumber(scale, 3);
    const int64_t thousandths = static_cast<int64_t>(std::trunc(scale * 1000.0));
    const int64_t magnitude = thousandths < 0 ? -thousandths : thousandths;
    std::string text = thousandths < 0 ? "-" : "";
    text += std::to_string(magnitude / 1000);
    int64_t fraction = magnitude % 1000;
    if (fraction != 0) {
        char digits[4];
        std::snprintf(digits, sizeof digits, "%03d", static_cast<int>(fraction));
        std::string tail = digits;
        while (tail.back() == '0') tail.pop_back();
        text += "." + tail;
    }
    return text;
}

int mouseDecimals(double scale) {
    if (scale > 10000) return 5;
    if (scale > 1000) return 4;
    if (scale > 100) return 3;
    if (scale > 10) return 2;
    if (scale > 1) return 1;
    return 0;
}

std::string mousePositionText(double value, double scale) {
    const int decimals = mouseDecimals(scale);
    const int length = std::snprintf(nullptr, 0, "%.*f", decimals, value);
    std::string text(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
    std::snprintf(text.data(), text.size(), "%.*f", decimals, value);
    text.pop_back();
    return text;
}

std::string handleAngleText(TCvCoord anchor, TCvCoord handle) {
    const double dx = handle.x - anchor.x;
    const double dy = handle.y - anchor.y;
    const double angle = dx == 0 && dy == 0 ? 0.0 : std::atan2(dx, dy) * degreesPerRadian;
    return FormatPovNumber(angle, 2);
}

std::string rotationAngleText(TCvCoord pivot, TCvCoord press, TCvCoord current, bool steps) {
    const double from = std::atan2(press.y - pivot.y, press.x - pivot.x);
    const double to = std::atan2(current.y - pivot.y, current.x - pivot.x);
    double angle = (from - to) * degreesPerRadian;
    if (steps) angle = static_cast<double>(static_cast<int>(angle) / 5 * 5);
    return FormatPovNumber(angle, 2);
}

} // namespace plumex
