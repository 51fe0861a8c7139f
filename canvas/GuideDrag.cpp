#include "canvas/GuideDrag.h"

#include "canvas/Window.h"

#include <cmath>

namespace plumex {

namespace {
constexpr double SnapPixels = 6;
} // namespace

GuideDrag::GuideDrag(TCvWindow& window, MovingGuide guide)
    : state_(guide.vertical() ? DragKind::VerticalGuide : DragKind::HorizontalGuide) {
    (guide.vertical() ? vertical_ : horizontal_) = guide.index;
    window.SetMovingGuide(guide);
}

GuideDrag::GuideDrag(TCvWindow& window, int v, int h)
    : state_(DragKind::GuideCross), vertical_(v), horizontal_(h) {
    window.SetMovingGuide(MovingGuide{GuideAxis::Vertical, v});
}

void GuideDrag::move(TCvWindow& window, const MouseEvent& e) {
    const PressContext& p = window.Press();
    const TCvCoord raw = window.PixelToUnit(e.pos.x, e.pos.y);
    // Each guide snaps with itself left out.
    if (vertical_ >= 0) {
        window.SetMovingGuide(MovingGuide{GuideAxis::Vertical, vertical_});
        const TCvCoord s = window.SnapPoint(raw, SnapAxes{.x = p.snapGrid && !p.lockX, .y = false});
        window.MoveGuide(GuideAxis::Vertical, vertical_, p.lockX ? p.pressPoint.x : s.x);
    }
    if (horizontal_ >= 0) {
        window.SetMovingGuide(MovingGuide{GuideAxis::Horizontal, horizontal_});
        const TCvCoord s = window.SnapPoint(raw, SnapAxes{.x = false, .y = p.snapGrid && !p.lockY});
        window.MoveGuide(GuideAxis::Horizontal, horizontal_, p.lockY ? p.pressPoint.y : s.y);
    }
}

bool GuideDrag::press(TCvWindow& window, const MouseEvent& e) {
    if (e.button != MouseButton::Right || state_ == DragKind::GuideCross) return false;
    const bool vertical = state_ == DragKind::VerticalGuide;
    const GuideAxis axis = vertical ? GuideAxis::Vertical : GuideAxis::Horizontal;
    const int index = vertical ? vertical_ : horizontal_;
    const PressContext& p = window.Press();
    if (p.nearest) {
        window.MoveGuide(axis, index, vertical ? p.nearest.at.x : p.nearest.at.y);
    } else if (window.ObjectMode() && window.Document.CountSelected() > 0) {
        const auto& list = vertical ? window.VerticalGuides() : window.HorizontalGuides();
        const double at = list[static_cast<std::size_t>(index)];
        const TCvRect& b = window.Document.SelectionBounds;
        const double tol = window.PixelsToUnits(SnapPixels);
        const double first = vertical ? b.left : b.top;
        const double second = vertical ? b.right : b.bottom;
        if (std::abs(first - at) < tol)
            window.MoveGuide(axis, index, first);
        else if (std::abs(second - at) < tol)
            window.MoveGuide(axis, index, second);
    }
    window.SetMovingGuide(std::nullopt);
    return true;
}

void GuideDrag::release(TCvWindow& window, const MouseEvent& e) {
    const int r = window.RulerSize();
    const int w = window.ClientWidth();
    const int h = window.ClientHeight();
    const PixelPoint m = e.pos;
    bool dropV, dropH;
    if (state_ == DragKind::GuideCross) {
        dropV = m.x < r || m.x >= w;
        dropH = m.y < r || m.y >= h;
    } else {
        const bool outside = m.x < 0 || m.x >= w || m.y < 0 || m.y >= h;
        dropV = outside || m.x < r;
        dropH = outside || m.y < r;
    }
    window.SetMovingGuide(std::nullopt);
    if (vertical_ >= 0 && dropV) window.DeleteGuide(GuideAxis::Vertical, vertical_);
    if (horizontal_ >= 0 && dropH) window.DeleteGuide(GuideAxis::Horizontal, horizontal_);
    window.Changed();
}

void GuideDrag::cancel(TCvWindow& window) {
    window.SetMovingGuide(std::nullopt);
}

} // namespace plumex
