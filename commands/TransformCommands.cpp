#include "commands/TransformCommands.h"

#include "commands/FiniteGuard.h"

#include <cmath>
#include <numbers>

namespace plumex {

Axes rotationAxes(double angle) {
    const double theta = -angle;
    const double q = theta * 2 / std::numbers::pi;
    double c, s;
    if (std::isfinite(q) && q == std::trunc(q)) {
        static constexpr double cs[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
        const int k = static_cast<int>(std::fmod(std::fmod(q, 4) + 4, 4));
        c = cs[k][0];
        s = cs[k][1];
    } else {
        c = std::cos(theta);
        s = std::sin(theta);
    }
    return {{c, s}, {-s, c}};
}

namespace {

TCvCoord mapPoint(TCvCoord p, TCvCoord xAxis, TCvCoord yAxis, TCvCoord centre) {
    return linearMap(p, xAxis.x, xAxis.y, yAxis.x, yAxis.y, centre);
}

} // namespace

void TransformSelection(TCvDocument& doc, TCvCoord xAxis, TCvCoord yAxis, TCvCoord centre,
                        bool copy) {
    std::vector<TCvLine> copies = doc.CollectSelected();
    if (copies.empty()) return;
    if (copy) {
        doc.DeselectPaths();
    } else {
        std::erase_if(doc.Lines.edit(), [](const TCvLine& l) { return l.selected != 0; });
    }
    for (TCvLine& line : copies) line.Transform(centre, xAxis, yAxis);
    doc.Lines.insert(doc.Lines.end(), copies.begin(), copies.end());
    const TCvCoord pivot = mapPoint(doc.Pivot, xAxis, yAxis, centre);
    doc.UpdateSelectionBounds();
    doc.Pivot = pivot;
}

void RotateSelection(TCvDocument& doc, double angle, TCvCoord centre, bool copy) {
    const Axes axes = rotationAxes(angle);
    std::vector<TCvLine> copies;
    if (copy) {
        copies = doc.CollectSelected();
        for (TCvLine& line : copies) line.SelectAll(false);
    }
    for (TCvLine& line : doc.Lines)
        if (line.selected) line.Transform(centre, axes.x, axes.y);
    doc.Lines.insert(doc.Lines.end(), copies.begin(), copies.end());
    doc.UpdateSelectionBounds();
}

bool MoveToOrigin(TCvDocument& doc, bool toCorner, bool objectMode, int penPath) {
    if (doc.CountSelected() == 0) return false;
    const TCvRect& r = doc.SelectionBounds;
    const TCvCoord v = toCorner ? TCvCoord{-r.left, -r.bottom} : scale(centre(r), -1);
    if (v.x == 0 && v.y == 0) return false;
    doc.Record(penPath);
    for (TCvLine& line : doc.Lines)
        if (line.selected) line.Translate(v);
    doc.UpdateSelectionBounds();
    if (objectMode)
        doc.Pivot = add(doc.Pivot, v);
    else
        doc.Pivot = centre(doc.SelectionBounds);
    return true;
}

bool ExpandByPreset(TCvDocument& doc, ExpandPreset preset, int penPath) {
    if (doc.CountSelected() == 0) return false;
    const TCvRect& r = doc.SelectionBounds;
    double f = 0;
    switch (preset) {
    case ExpandPreset::DoubleSize:
        f = 2;
        break;
    case ExpandPreset::HalfSize:
        f = 0.5;
        break;
    case ExpandPreset::HeightToOne:
        if (r.top == r.bottom) return false;
        f = 1 / std::abs(r.top - r.bottom);
        break;
    case ExpandPreset::WidthToOne:
        if (r.right == r.left) return false;
        f = 1 / std::abs(r.right - r.left);
        break;
    }
    if (!linearMapStaysFinite(doc, {f, 0}, {0, f}, centre(r))) return false;
    doc.Record(penPath);
    TransformSelection(doc, {f, 0}, {0, f}, centre(r), false);
    return true;
}

bool ExpandSelection(TCvDocument& doc, double fx, double fy, TCvCoord origin, bool copy,
                     int penPath) {
    if (doc.CountSelected() == 0 || fx == 0 || fy == 0) return false;
    // A factor that is not a number would wipe the geometry; it counts as 0.
    if (std::isnan(fx) || std::isnan(fy)) return false;
    if (!linearMapStaysFinite(doc, {fx, 0}, {0, fy}, origin)) return false;
    doc.Record(penPath);
    TransformSelection(doc, {fx, 0}, {0, fy}, origin, copy);
    return true;
}

bool RotateByPreset(TCvDocument& doc, bool left, bool objectMode, int penPath) {
    if (doc.CountSelected() == 0) return false;
    const TCvCoord c = objectMode ? doc.Pivot : centre(doc.SelectionBounds);
    doc.Record(penPath);
    // Positive angles turn clockwise, so the left (anticlockwise) quarter turn is negative.
    RotateSelection(doc, (left ? -90 : 90) * std::numbers::pi / 180, c, false);
    return true;
}

bool RotateSelectionBy(TCvDocument& doc, double degrees, TCvCoord origin, bool copy, int penPath) {
    if (doc.CountSelected() == 0 || degrees == 0 || !std::isfinite(degrees)) return false;
    doc.Record(penPath);
    RotateSelection(doc, degrees * std::numbers::pi / 180, origin, copy);
    return true;
}

bool Flip(TCvDocument& doc, FlipAxis axis, int penPath) {
    if (doc.CountSelected() == 0) return false;
    doc.Record(penPath);
    const TCvCoord c = centre(doc.SelectionBounds);
    if (axis == FlipAxis::Horizontal)
        TransformSelection(doc, {-1, 0}, {0, 1}, c, false);
    else
        TransformSelection(doc, {1, 0}, {0, -1}, c, false);
    return true;
}

bool shearAngleAccepted(double degrees) {
    return std::isfinite(degrees) && std::abs(std::trunc(degrees)) < 90;
}

bool ShearSelection(TCvDocument& doc, double degrees, bool vertical, TCvCoord origin, bool copy,
                    int penPath) {
    if (doc.CountSelected() == 0 || !shearAngleAccepted(degrees)) return false;
    const double whole = std::trunc(degrees);
    if (degrees == 0 || std::abs(whole) > 89) return false;
    const double t = std::tan(degrees * std::numbers::pi / 180);
    const TCvCoord xAxis = vertical ? TCvCoord{1, -t} : TCvCoord{1, 0};
    const TCvCoord yAxis = vertical ? TCvCoord{0, 1} : TCvCoord{t, 1};
    if (!linearMapStaysFinite(doc, xAxis, yAxis, origin)) return false;
    doc.Record(penPath);
    TransformSelection(doc, xAxis, yAxis, origin, copy);
    return true;
}

} // namespace plumex
