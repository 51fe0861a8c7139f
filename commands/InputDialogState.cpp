#include "commands/InputDialogState.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace plumex {

TCvCoord pickedPoint(const TCvRect& r, int item) {
    if (item < 0 || item > 8) item = PickerCentre;
    const double xs[3] = {r.left, (r.left + r.right) / 2, r.right};
    const double ys[3] = {r.top, (r.top + r.bottom) / 2, r.bottom};
    return {xs[item / 3], ys[item % 3]};
}

std::string formatValue(double v) {
    if (v == 0) v = 0; // no "-0"
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    return buf;
}

namespace {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

} // namespace

std::optional<double> parseValue(std::string_view text) {
    std::string_view t = trimmed(text);
    if (t.size() > 1 && t.front() == '+' && t[1] != '-') t.remove_prefix(1);
    // Only digits, a point, a sign and an exponent: no "inf", "nan" or hexadecimal.
    if (t.find_first_not_of("0123456789.-+eE") != std::string_view::npos) return std::nullopt;
    double v = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (ec != std::errc() || end != t.data() + t.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

bool isUnfinishedNumber(std::string_view text) {
    const std::string_view t = trimmed(text);
    return t.empty() || t == "-" || t == "+" || t == "." || t == "-." || t == "+.";
}

double valueOrZero(std::string_view text) {
    return parseValue(text).value_or(0);
}

bool resetRewrites(std::string_view text, double resetValue) {
    const std::optional<double> v = parseValue(text);
    return !v || *v != resetValue;
}

void OriginChoice::open(bool objectTool) {
    if (!objectTool)
        mode_ = OriginPickerOnly;
    else if (mode_ == OriginPickerOnly)
        mode_ = OriginPivot;
}

void OriginChoice::setMode(int mode) {
    if (mode == OriginPivot || mode == OriginPicked || mode == OriginPickerOnly) mode_ = mode;
}

void OriginChoice::pick(int item) {
    if (item >= 0 && item <= 8) item_ = item;
}

TCvCoord OriginChoice::origin(const OriginRequest& request) const {
    return mode_ == OriginPivot ? request.pivot : pickedPoint(request.bounds, item_);
}

bool shearVertical(bool lastVertical, ShearPreset preset) {
    switch (preset) {
    case ShearPreset::Vertical:
        return true;
    case ShearPreset::Horizontal:
        return false;
    case ShearPreset::Keep:
        break;
    }
    return lastVertical;
}

} // namespace plumex
