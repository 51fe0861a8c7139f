#include "export/ExportBmpState.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <optional>

namespace plumex {
namespace {

// A finite decimal number with "." or "," as separator and blanks around it.
std::optional<double> decimal(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    std::string s(text);
    for (char& c : s)
        if (c == ',') c = '.';
    double v = 0;
    const char* end = s.data() + s.size();
    const auto r = std::from_chars(s.data(), end, v);
    if (s.empty() || r.ec != std::errc() || r.ptr != end || !std::isfinite(v)) return std::nullopt;
    return v;
}

} // namespace

bool ExportBmpState::setScaleText(std::string_view text) {
    const auto v = decimal(text);
    scaleRefused = !v || !(*v > 0);
    if (scaleRefused) return false;
    scale = *v;
    return true;
}

bool ExportBmpState::setMarginText(std::string_view text) {
    const auto v = decimal(text);
    marginRefused = !v || *v < 0 || *v >= double(INT_MAX);
    if (marginRefused) return false;
    margin = static_cast<int>(std::trunc(*v));
    return true;
}

std::optional<BitmapSize> ExportBmpState::exactSize() const {
    return bitmapOutputSize(TCvRect(0, objectHeight, objectWidth, 0), scale, margin);
}

BmpRefusal ExportBmpState::refusal() const {
    if (scaleRefused) return BmpRefusal::Scale;
    if (marginRefused) return BmpRefusal::Margin;
    const std::optional<BitmapSize> size = exactSize();
    const BmpFormat format = mode == BitmapMode::GreyScale ? BmpFormat::Grey8 : BmpFormat::Mono1;
    if (!size || !bmpFileSize(size->width, size->height, format)) return BmpRefusal::Size;
    return BmpRefusal::None;
}

BitmapSize ExportBmpState::outputSize() const {
    return exactSize().value_or(BitmapSize{});
}

std::string ExportBmpState::objectSizeText() const {
    char buf[700];
    std::snprintf(buf, sizeof buf, "%.2f X %.2f", objectWidth, objectHeight);
    return buf;
}

std::string ExportBmpState::outputSizeText() const {
    const std::optional<BitmapSize> s = exactSize();
    if (!s) return {};
    return std::to_string(s->width) + " X " + std::to_string(s->height);
}

std::string ExportBmpState::fileSizeText() const {
    const std::optional<BitmapSize> s = exactSize();
    return s ? formatThousands(bitmapSizeEstimate(*s, mode)) : std::string();
}

BitmapRequest ExportBmpState::request(const TCvRect& bounds) const {
    return {bounds, scale, margin, mode};
}

std::string formatThousands(double value) {
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.0f", value);
    std::string digits(buf), out;
    const std::size_t sign = !digits.empty() && digits[0] == '-' ? 1 : 0;
    for (std::size_t i = sign; i < digits.size(); ++i) {
        if (i > sign && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return digits.substr(0, sign) + out;
}

} // namespace plumex
