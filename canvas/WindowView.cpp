// The view: scale, origin, zooming, fitting, scrolling and resizing.
#include "canvas/ColorRole.h"
#include "canvas/Window.h"
#include "model/ViewFit.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

using namespace plumex;

namespace {

// The origin may lie far outside the client area, but sums with it must stay in int.
constexpr int64_t OriginLimit = int64_t{1} << 30;

int clampOrigin(double v) {
    if (!(v >= -OriginLimit)) return static_cast<int>(-OriginLimit);
    if (v > OriginLimit) return static_cast<int>(OriginLimit);
    return static_cast<int>(v);
}

} // namespace

int TCvWindow::RulerSize() const {
    return options_->ShowRuler ? RulerWidth : 0;
}

PixelPoint TCvWindow::ClientCenter() const {
    const int r = RulerSize();
    return {r + (clientWidth_ - r) / 2, r + (clientHeight_ - r) / 2};
}

TCvCoord TCvWindow::ViewCenter() const {
    return PixelToUnit(ClientCenter().x, ClientCenter().y);
}

PixelPoint TCvWindow::centredOrigin(TCvCoord p) const {
    const PixelPoint c = ClientCenter();
    const double sx = std::trunc(Scale() * p.x);
    const double sy = std::trunc(Scale() * p.y);
    return {clampOrigin(c.x - sx), clampOrigin(c.y + sy)};
}

void TCvWindow::CenterOn(TCvCoord p) {
    const PixelPoint o = centredOrigin(p);
    SetOrigin(o.x, o.y);
}

void TCvWindow::SetOrigin(int px, int py) {
    origin_ = {clampOrigin(px), clampOrigin(py)};
    if (host_) {
        refreshCursor();
        invalidateAll();
    }
    Changed();
}

void TCvWindow::ZoomTo(double s) {
    ZoomAbout(s, ViewCenter());
}

void TCvWindow::ZoomAbout(double s, TCvCoord p) {
    if (std::isnan(s)) return; // from a rectangle with non-finite corners: keep the view
    const double before = Scale();
    const PixelPoint from = origin_;
    options_->Scale = std::max(std::min(s, MaxViewScale), MinViewScale);
    UpdateAutoGrid(Scale());
    rulerImagesValid_ = false;
    origin_ = centredOrigin(p);
    if (host_) {
        refreshCursor();
        // The rulers are drawn afresh; the picture may be shown scaled until it is.
        const int r = RulerSize();
        if (r > 0) {
            host_->invalidate({0, 0, clientWidth_, r});
            host_->invalidate({0, r, r, clientHeight_});
        }
        const double k = Scale() / before;
        host_->rescale({r, r, clientWidth_, clientHeight_},
                       {k, origin_.x - k * from.x, origin_.y - k * from.y,
                        roleColor(colorTable(), ColorRole::Background)});
    }
    Changed();
}

void TCvWindow::FitRect(const TCvRect& r) {
    const int ruler = RulerSize();
    const ViewFit fit = fitView(r, clientWidth_ - ruler, clientHeight_ - ruler, Scale());
    ZoomAbout(fit.scale, fit.centre);
}

void TCvWindow::ScrollBy(int dx, int dy) {
    origin_ = {clampOrigin(double(origin_.x) + dx), clampOrigin(double(origin_.y) + dy)};
    if (!host_) return;
    eraseIndicators();
    const int r = RulerSize();
    // The ruler across the scroll direction stays put; the other one moves with the picture.
    if (dx != 0) host_->scroll({r, 0, clientWidth_, clientHeight_}, dx, 0);
    if (dy != 0) host_->scroll({0, r, clientWidth_, clientHeight_}, 0, dy);
}

void TCvWindow::GoOriginCenter() {
    CenterOn({0, 0});
}

void TCvWindow::GoOriginHome() {
    const int r = RulerSize();
    const int ox = clientWidth_ / 2 - r - 8;
    const int oy = clientHeight_ / 2 - r - 8;
    CenterOn({ox / Scale(), oy / Scale()});
}

void TCvWindow::GoSelectionCenter() {
    if (Document.CountSelected() == 0) return;
    CenterOn(centre(Document.SelectionBounds));
}

void TCvWindow::GoSelectionHome() {
    if (Document.CountSelected() == 0) return;
    const int r = RulerSize();
    const int ox = clientWidth_ / 2 - r - 8;
    const int oy = clientHeight_ / 2 - r - 8;
    const TCvRect& b = Document.SelectionBounds;
    CenterOn({b.left + ox / Scale(), b.bottom + oy / Scale()});
}

void TCvWindow::FitAll() {
    std::optional<TCvRect> all = Document.AllBounds();
    if (!all) return;
    if (draft_.Present()) all = unite(*all, draft_.Bounds());
    FitRect(*all);
}

void TCvWindow::FitSelection() {
    if (Document.CountSelected() == 0) return;
    FitRect(Document.SelectionBounds);
}

void TCvWindow::InputScale() {
    if (!host_) return;
    const std::optional<SizeAnswer> a = host_->runSizeDialog({1, Scale(), 0, 0, std::nullopt});
    if (a) ZoomTo(a->width);
}

void TCvWindow::SetScaleOption(double s) {
    const TCvCoord keep = ViewCenter();
    // The automatic grid needs a positive scale; anything else gets the nearest allowed one.
    if (std::isnan(s)) s = 100.0;
    if (!(s > 0) || std::isinf(s)) s = std::clamp(s, MinViewScale, MaxViewScale);
    options_->Scale = s;
    UpdateAutoGrid(s);
    CenterOn(keep);
    rulerImagesValid_ = false;
    Changed();
}

void TCvWindow::MouseWheel(int delta) {
    const double q = std::sqrt(std::sqrt(2.0));
    ZoomTo(delta >= 0 ? Scale() * q + 5e-11 : Scale() / q + 5e-11);
}

bool TCvWindow::KeyDown(const KeyEvent& e) {
    modifierChanged(e);
    const unsigned mods = e.shift & (ssShift | ssCtrl | ssAlt);
    const int k = std::max(8, UnitsToPixels(options_->GridUnits));
    const int halfW = (clientWidth_ - RulerSize()) / 2;
    const int halfH = (clientHeight_ - RulerSize()) / 2;
    switch (e.key) {
    case key::Left:
        if (mods) return false;
        ScrollBy(k, 0);
        return true;
    case key::Right:
        if (mods) return false;
        ScrollBy(-k, 0);
        return true;
    case key::Up:
        if (mods) return false;
        ScrollBy(0, k);
        return true;
    case key::Down:
        if (mods) return false;
        ScrollBy(0, -k);
        return true;
    case key::PageUp:
        if (e.shift & ssShift)
            ScrollBy(halfW, 0);
        else
            ScrollBy(0, halfH);
        return true;
    case key::PageDown:
        if (e.shift & ssShift)
            ScrollBy(-halfW, 0);
        else
            ScrollBy(0, -halfH);
        return true;
    default:
        return false;
    }
}

void TCvWindow::KeyUp(const KeyEvent& e) {
    modifierChanged(e);
}

void TCvWindow::Resize(int width, int height) {
    if (sized_) {
        // Half the change of size keeps the picture centred.
        origin_ = {clampOrigin(double(origin_.x) + (width - clientWidth_) / 2),
                   clampOrigin(double(origin_.y) + (height - clientHeight_) / 2)};
    }
    sized_ = true;
    clientWidth_ = width;
    clientHeight_ = height;
    indicatorX_ = indicatorY_ = -1;
    invalidateAll();
}

void TCvWindow::FocusLost() {
    CancelDrag();
    EndPenPath();
}
