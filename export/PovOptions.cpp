#include "export/PovOptions.h"

#include "export/PovFormat.h"
#include "export/PovShapes.h"

#include <utility>

#include <charconv>

namespace plumex {
namespace {

bool straddlesYAxis(LatheEdges e) {
    return e.left * e.right < 0;
}

std::string nameHead(PovDeclaration kind, const std::string& name) {
    switch (kind) {
    case PovDeclaration::Direct:
        return {};
    case PovDeclaration::Declare:
        return "#declare " + name;
    case PovDeclaration::Local:
        return "#local " + name;
    }
    return {};
}

} // namespace

int parseIntegerField(std::string_view text, int fallback) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int value = 0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || res.ec != std::errc() || res.ptr != text.data() + text.size())
        return fallback;
    return value;
}

LatheAxis effectiveAxis(LatheAxis chosen, LatheEdges edges) {
    if (chosen == LatheAxis::YAxis && straddlesYAxis(edges)) return LatheAxis::LeftOfSelection;
    return chosen;
}

bool turnsAboutAxis(PovMode mode) {
    return mode == PovMode::Lathe || mode == PovMode::Sor;
}

std::string& PovDlgState::rememberedName(PovMode mode) {
    return const_cast<std::string&>(std::as_const(*this).rememberedName(mode));
}

const std::string& PovDlgState::rememberedName(PovMode mode) const {
    switch (mode) {
    case PovMode::Lathe:
        return latheName;
    case PovMode::ConicPrism:
        return conicName;
    case PovMode::SphereSweep:
        return sweepName;
    case PovMode::Sor:
        return sorName;
    case PovMode::Prism:
    case PovMode::Array:
        break;
    }
    return prismName;
}

void PovDlgState::prepareLathe(LatheEdges edges) {
    yAxisEnabled = !straddlesYAxis(edges);
    if (yAxisEnabled)
        axis = LatheAxis::YAxis;
    else
        axis = effectiveAxis(axis, edges);
}

void PovDlgState::acceptName(PovMode mode, std::string_view edited) {
    if (!edited.empty()) rememberedName(mode) = std::string(edited);
}

PovRequest PovDlgState::request(PovMode mode, LatheEdges edges) const {
    PovRequest r;
    r.mode = mode;
    r.accuracy = clampAccuracy(parseIntegerField(accuracy, 15));
    r.name = nameHead(declaration, rememberedName(mode));
    r.modifiers = IndentLines(modifiers);
    switch (mode) {
    case PovMode::Prism:
        r.sweep = bottom + "," + top;
        return r;
    case PovMode::ConicPrism:
        r.bottom = bottom;
        r.top = top;
        if (!fieldNumber(apexX, r.apex.x)) r.apex.x = 0;
        if (!fieldNumber(apexY, r.apex.y)) r.apex.y = 0;
        return r;
    case PovMode::SphereSweep:
        r.spline = spline;
        r.radius = radius;
        if (!fieldNumber(tolerance, r.tolerance)) r.tolerance = 0;
        return r;
    case PovMode::Lathe:
    case PovMode::Sor:
    case PovMode::Array:
        break;
    }
    switch (effectiveAxis(axis, edges)) {
    case LatheAxis::YAxis:
        r.factor = edges.left >= 0 ? 1 : -1;
        break;
    case LatheAxis::LeftOfSelection:
        r.offset = -edges.left;
        break;
    case LatheAxis::RightOfSelection:
        r.offset = -edges.right;
        r.factor = -1;
        break;
    }
    return r;
}

PovRequest PovArrayDlgState::request() const {
    PovRequest r;
    r.mode = PovMode::Array;
    r.accuracy = clampAccuracy(parseIntegerField(accuracy, 15));
    r.name = nameHead(local ? PovDeclaration::Local : PovDeclaration::Declare, name);
    r.modifiers = value;
    r.lineForm = lineForm;
    r.pointForm = pointForm;
    r.divideCount = std::max(parseIntegerField(divideCount, 50), 0);
    return r;
}

} // namespace plumex
