// Grid size, snapping, guide lines and moving the selection by keys.
#include "canvas/Window.h"

#include "app/Languages.h"
#include "canvas/Grid.h"
#include "canvas/Snap.h"
#include "commands/MoveSelection.h"

#include <cmath>

using namespace plumex;

namespace {
constexpr double SnapPixels = 6;
}

void TCvWindow::UpdateAutoGrid(double s) {
    const AutoGrid g = autoGridFor(s);
    if (!options_->GridSizeFixed) {
        options_->GridUnits = g.gridUnits;
        options_->GridKnots = g.gridKnots;
    }
    rulerStep_ = g.rulerStep;
    rulerMajor_ = g.rulerMajor;
}

bool TCvWindow::AskFixedGrid() {
    if (!host_) return false;
    const std::optional<GridSize> g =
        host_->runGridSizeDialog({options_->GridUnits, options_->GridKnots});
    if (!g) return false;
    options_->GridUnits = g->units;
    options_->GridKnots = g->knots;
    return true;
}

TCvCoord TCvWindow::SnapPoint(TCvCoord p, SnapAxes grid) const {
    SnapRules rules;
    rules.guides = options_->ShowGuides && options_->SnapGuides;
    rules.tolerance = PixelsToUnits(SnapPixels);
    const bool gridShown = options_->ShowGrid && UnitsToPixels(options_->GridUnits) > 1;
    const auto& doc = Document.Settings;
    auto axis = [&](double v, bool snap, bool vertical) {
        SnapRules r = rules;
        if (gridShown && snap) r.gridStep = options_->GridUnits;
        if (movingGuide_ && movingGuide_->vertical() == vertical) r.skipGuide = movingGuide_->index;
        return snapCoordinate(v, vertical ? doc.verticalGuides : doc.horizontalGuides, r);
    };
    return {axis(p.x, grid.x, true), axis(p.y, grid.y, false)};
}

TCvCoord TCvWindow::SnapRect(const TCvRect& r, SnapAxes grid) const {
    SnapRules rules;
    rules.guides = options_->ShowGuides && options_->SnapGuides;
    rules.tolerance = PixelsToUnits(SnapPixels);
    const bool gridShown = options_->ShowGrid && UnitsToPixels(options_->GridUnits) > 1;
    SnapRules rx = rules;
    SnapRules ry = rules;
    if (gridShown && grid.x) rx.gridStep = options_->GridUnits;
    if (gridShown && grid.y) ry.gridStep = options_->GridUnits;
    const auto& doc = Document.Settings;
    return {snapEdges(r.left, r.right, doc.verticalGuides, rx),
            snapEdges(r.top, r.bottom, doc.horizontalGuides, ry)};
}

int TCvWindow::AddGuide(GuideAxis axis, double at) {
    const bool vertical = axis == GuideAxis::Vertical;
    auto& list = vertical ? VerticalGuides() : HorizontalGuides();
    list.push_back(at);
    if (vertical)
        InvalidateColumn(at, at);
    else
        InvalidateRow(at, at);
    return static_cast<int>(list.size()) - 1;
}

void TCvWindow::MoveGuide(GuideAxis axis, int index, double to) {
    const bool vertical = axis == GuideAxis::Vertical;
    auto& list = vertical ? VerticalGuides() : HorizontalGuides();
    if (index < 0 || index >= static_cast<int>(list.size())) return;
    const double from = list[index];
    list[index] = to;
    if (vertical)
        InvalidateColumn(from, to);
    else
        InvalidateRow(from, to);
}

void TCvWindow::DeleteGuide(GuideAxis axis, int index) {
    const bool vertical = axis == GuideAxis::Vertical;
    auto& list = vertical ? VerticalGuides() : HorizontalGuides();
    if (index < 0 || index >= static_cast<int>(list.size())) return;
    const double at = list[index];
    list.erase(list.begin() + index);
    if (movingGuide_ && movingGuide_->vertical() == vertical && movingGuide_->index == index)
        movingGuide_.reset();
    if (vertical)
        InvalidateColumn(at, at);
    else
        InvalidateRow(at, at);
}

bool TCvWindow::EraseGuides(GuideAxes axes) {
    const bool vertical = axes.vertical && !VerticalGuides().empty();
    const bool horizontal = axes.horizontal && !HorizontalGuides().empty();
    if (!vertical && !horizontal) return false;
    if (options_->LockGuides) {
        // Locked guides are only erased when the user says so.
        if (!host_ ||
            host_->messageBox(message(msgClrGuide), MessageKind::YesNo) != MessageAnswer::Yes)
            return false;
    }
    if (vertical) VerticalGuides().clear();
    if (horizontal) HorizontalGuides().clear();
    movingGuide_.reset();
    invalidateAll();
    return true;
}

std::optional<MovingGuide> TCvWindow::GuideAt(PixelPoint p) const {
    const TCvCoord u = PixelToUnit(p.x, p.y);
    const double tol = PixelsToUnits(SnapPixels);
    const auto& v = Document.Settings.verticalGuides;
    for (int i = 0; i < static_cast<int>(v.size()); ++i)
        if (std::abs(v[i] - u.x) <= tol) return MovingGuide{GuideAxis::Vertical, i};
    const auto& h = Document.Settings.horizontalGuides;
    for (int i = 0; i < static_cast<int>(h.size()); ++i)
        if (std::abs(h[i] - u.y) <= tol) return MovingGuide{GuideAxis::Horizontal, i};
    return std::nullopt;
}

void TCvWindow::MoveSelectionByKey(KeyMove direction, KeyStep size) {
    const double step = size == KeyStep::Fine ? options_->GridUnits / 10 : options_->GridUnits;
    TCvCoord v;
    switch (direction) {
    case KeyMove::Left:
        v = {-step, 0};
        break;
    case KeyMove::Right:
        v = {step, 0};
        break;
    case KeyMove::Up:
        v = {0, step};
        break;
    case KeyMove::Down:
        v = {0, -step};
        break;
    }
    // Nothing to move, or a zero step: no undo step, so the document does not count as
    // modified.
    if (Document.CountSelected() == 0 || (v.x == 0 && v.y == 0)) return;
    Document.Record(penPath_);
    if (ObjectMode())
        MoveObjects(Document, v);
    else
        MoveAnchors(Document, v);
    invalidateAll();
    Changed();
}
