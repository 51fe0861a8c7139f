// Painting: the layers into the paint buffer, then the clip rectangle to the screen.
#include "canvas/ToolBehaviour.h"
#include "canvas/Window.h"

#include "canvas/ColorRole.h"
#include "canvas/LinePainter.h"
#include "canvas/PathPainter.h"
#include "canvas/RulerCache.h"
#include "canvas/SelectionHelper.h"

#include <algorithm>
#include <cmath>
#include <thread>
#include <utility>

using namespace plumex;

namespace {

constexpr Color ButtonFace = 0xF0F0F0;
constexpr Color ButtonShadow = 0xA0A0A0;

Color average(Color a, Color b) {
    Color out = 0;
    for (int shift = 0; shift <= 16; shift += 8)
        out |= ((((a >> shift) & 0xFF) + ((b >> shift) & 0xFF)) / 2) << shift;
    return out;
}

PixelRect grow(const PixelRect& r, int by) {
    return {r.left - by, r.top - by, r.right + by, r.bottom + by};
}

PixelRect unite(const PixelRect& a, const PixelRect& b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

} // namespace

void TCvWindow::Invalidate() {
    invalidateAll();
}

void TCvWindow::invalidateAll() {
    if (host_) host_->invalidate({0, 0, clientWidth_, clientHeight_});
}

PixelRect TCvWindow::selectionExtent() const {
    if (Document.CountSelected() == 0) return {};
    return selectionExtentAt(Document.SelectionBounds, Document.Pivot);
}

PixelRect TCvWindow::selectionExtentAt(const TCvRect& bounds, TCvCoord pivot) const {
    // The frame with the glyphs around it, and the marker at the pivot.
    const PixelRect frame = grow(normalized(UnitRectToPixelRect(bounds)), 40);
    const PixelPoint p = UnitToPixel(pivot);
    return unite(frame, grow({p.x, p.y, p.x + 1, p.y + 1}, MarkerRadius + 2));
}

std::optional<PixelRect> TCvWindow::pathExtent(const TCvLine& line) const {
    if (line.points.empty()) return PixelRect{};
    const auto hull = PathIndex::hullOf(line);
    if (!hull) return std::nullopt;
    return grow(normalized(UnitRectToPixelRect(*hull)), AnchorSize() + 2);
}

PixelRect TCvWindow::SelectedPathsExtent() const {
    const PathIndex& index = PathsIndex();
    PixelRect area = selectionExtent();
    for (std::size_t i = 0; i < index.size(); ++i) {
        if (!index.anySelected(i)) continue;
        const auto hull = index.hull(i);
        if (!hull) return {0, 0, clientWidth_, clientHeight_};
        area = unite(area, grow(normalized(UnitRectToPixelRect(*hull)), AnchorSize() + 2));
    }
    return intersect(area, {0, 0, clientWidth_, clientHeight_});
}

void TCvWindow::invalidateWritten(LineList::Mark mark, const PixelRect& before) {
    const auto written = Document.Lines.changedSince(mark);
    if (!written) return invalidateAll();
    const PathIndex& index = PathsIndex(); // a selection change keeps every hull
    PixelRect area = unite(before, selectionExtent());
    for (int i : *written) {
        const auto hull = index.hull(static_cast<std::size_t>(i));
        if (!hull) return invalidateAll();
        area = unite(area, grow(normalized(UnitRectToPixelRect(*hull)), AnchorSize() + 2));
    }
    area = intersect(area, {0, 0, clientWidth_, clientHeight_});
    if (!area.empty()) InvalidateRect(area);
}

void TCvWindow::invalidateFinishedEdit(const PixelRect& shown) {
    const auto written = Document.Lines.changedSince(base_.mark);
    if (!base_.taken || !written) return invalidateAll();
    // Every path written since the press where it was then (the press copy holds it) and where
    // it is now, and the selection helper at the press, as last shown and now; the rest of a
    // large drawing stays in the buffer. A path the copy does not hold was not the drag's to
    // change, and where it was is not known.
    std::vector<int> paths(written->begin(), written->end());
    std::sort(paths.begin(), paths.end());
    paths.erase(std::unique(paths.begin(), paths.end()), paths.end());
    PixelRect area = shown;
    if (!base_.selectedIndices.empty())
        area = unite(area, selectionExtentAt(base_.bounds, base_.pivot));
    const auto& at = base_.selectedIndices;
    for (const int i : paths) {
        const TCvLine* then = nullptr;
        if (base_.whole) {
            if (static_cast<std::size_t>(i) < base_.lines.size())
                then = &base_.lines[static_cast<std::size_t>(i)];
        } else if (const auto k = std::lower_bound(at.begin(), at.end(), i);
                   k != at.end() && *k == i) {
            then = &base_.selection[static_cast<std::size_t>(k - at.begin())];
        } else {
            return invalidateAll();
        }
        if (!then) continue; // added since the press: only where it is now
        const auto extent = pathExtent(*then);
        if (!extent) return invalidateAll();
        area = unite(area, *extent);
    }
    invalidateWritten(base_.mark, intersect(area, {0, 0, clientWidth_, clientHeight_}));
}

void TCvWindow::InvalidateRect(const PixelRect& r) {
    if (host_) host_->invalidate(r);
}

void TCvWindow::InvalidateColumn(double x1, double x2) {
    const int a = UnitToPixelX(x1);
    const int b = UnitToPixelX(x2);
    InvalidateRect({std::min(a, b) - 1, 0, std::max(a, b) + 2, clientHeight_});
}

void TCvWindow::InvalidateRow(double y1, double y2) {
    const int a = UnitToPixelY(y1);
    const int b = UnitToPixelY(y2);
    InvalidateRect({0, std::min(a, b) - 1, clientWidth_, std::max(a, b) + 2});
}

void TCvWindow::Paint(const PixelRect& clip) {
    if (paintSuppressed_ || !surface_) return;
    Surface& s = *surface_;
    PixelRect r = clip;
    r.left = std::max(r.left, RulerSize());
    r.top = std::max(r.top, RulerSize());
    if (!r.empty()) {
        // Brought up to date here, then only read, by every band.
        const PathIndex& index = PathsIndex();
        const int a = AnchorSize();
        const OverlayView overlay{View(), a, PixelRectToUnitRect(grow(r, a + 1))};
        static const bool cores = std::thread::hardware_concurrency() > 1;
        if (paintBands_ > 1 && cores && r.height() >= 64 && r.width() * r.height() >= 100'000) {
            // The lower half on a second core, into a buffer of its own, copied in when done.
            const int mid = r.top + r.height() / 2;
            const PixelRect upper{r.left, r.top, r.right, mid};
            const PixelRect lower{r.left, mid, r.right, r.bottom};
            if (!bandBuffer_ || bandBuffer_->width() < s.width() ||
                bandBuffer_->height() < s.height())
                bandBuffer_ = s.createBuffer(s.width(), s.height());
            {
                std::jthread worker([&] { paintLayers(*bandBuffer_, lower, bandInk_, index); });
                paintLayers(s, upper, ink_, index);
            }
            s.setClip(lower);
            s.copyFrom(*bandBuffer_, lower, {lower.left, lower.top});
        } else {
            paintLayers(s, r, ink_, index);
        }
        s.setClip(r);
        CurrentTool().paintOverlay(*this, s, overlay);
    }
    s.setClip(std::nullopt);
    if (options_->ShowRuler) paintRulers(s, clip);
    s.present(clip);
}

void TCvWindow::paintLayers(Surface& s, const PixelRect& r, InkLayer& ink,
                            const PathIndex& index) const {
    s.setClip(r);
    s.fillRect(r, roleColor(colorTable(), ColorRole::Background));
    if (options_->ShowDraft && draft_.Present()) paintDraft(s, r);
    if (options_->ShowGrid) paintGrid(s, r);
    paintObjects(s, r, ink, index);
}

void TCvWindow::paintDraft(Surface& s, const PixelRect&) const {
    const DraftPicture& d = draft_.Picture();
    const PixelPoint at = UnitToPixel(d.position);
    const double k = Scale() * d.factor;
    const int w = clampToPixel(d.image.width * k);
    const int h = clampToPixel(d.image.height * k);
    s.drawImage({at.x, at.y, clampToPixel(double(at.x) + w), clampToPixel(double(at.y) + h)},
                options_->DimDraft ? draft_.Faded() : d.image);
}

void TCvWindow::paintGrid(Surface& s, const PixelRect& r) const {
    const double g = Scale() * options_->GridUnits;
    if (!(g >= 2) || !std::isfinite(g)) return;
    const int knots = options_->GridKnots;
    auto colour = [&](long long n) {
        return knots >= 1 && n % knots == 0 ? roleColor(colorTable(), ColorRole::StepGrids)
                                            : roleColor(colorTable(), ColorRole::Grids);
    };
    for (auto n = static_cast<long long>((r.top - origin_.y) / g);; ++n) {
        const int y = clampToPixel(origin_.y + g * double(n));
        if (y >= r.bottom) break;
        s.line({r.left, y}, {r.right, y}, colour(n));
    }
    for (auto n = static_cast<long long>((r.left - origin_.x) / g);; ++n) {
        const int x = clampToPixel(origin_.x + g * double(n));
        if (x >= r.right) break;
        s.line({x, r.top}, {x, r.bottom}, colour(n));
    }
}

void TCvWindow::paintGuides(Surface& s, const PixelRect& r) const {
    const ColorTable& c = colorTable();
    auto pen = [&](double at) {
        return at == 0 ? average(roleColor(c, ColorRole::CenterGrids),
                                 roleColor(c, ColorRole::GuideLines))
                       : roleColor(c, ColorRole::GuideLines);
    };
    for (double x : Document.Settings.verticalGuides) {
        const int px = UnitToPixelX(x);
        if (px >= r.left && px <= r.right) s.line({px, r.top}, {px, r.bottom}, pen(x));
    }
    for (double y : Document.Settings.horizontalGuides) {
        const int py = UnitToPixelY(y);
        if (py >= r.top && py <= r.bottom) s.line({r.left, py}, {r.right, py}, pen(y));
    }
}

void TCvWindow::paintObjects(Surface& s, const PixelRect& r, InkLayer& ink,
                             const PathIndex& index) const {
    const ColorTable& c = colorTable();
    const int a = AnchorSize();
    const ViewTransform view = View();
    const TCvRect area = PixelRectToUnitRect(grow(r, a + 1));
    const auto& lines = Document.Lines;
    auto shows = [&](std::size_t i) { return lines[i].visible && index.overlaps(i, area); };
    ink.begin(r, s);
    LinePainter painter(s, ink, view, c, levelOfDetail_);
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].locked && shows(i))
            painter.draw(lines[i], {.anchors = false, .handles = false, .anchorSize = a});
    painter.flush();
    if (options_->ShowGrid) {
        const Color centreLine = roleColor(c, ColorRole::CenterGrids);
        if (origin_.y >= r.top && origin_.y < r.bottom)
            s.line({r.left, origin_.y}, {r.right, origin_.y}, centreLine);
        if (origin_.x >= r.left && origin_.x < r.right)
            s.line({origin_.x, r.top}, {origin_.x, r.bottom}, centreLine);
    }
    if (options_->ShowGuides) paintGuides(s, r);
    const LineStyle plain{.anchors = options_->ShowAnchor != 0, .handles = false, .anchorSize = a};
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (!lines[i].selected && !lines[i].locked && shows(i)) painter.draw(lines[i], plain);
    const ToolBehaviour& tool = CurrentTool();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const TCvLine& l = lines[i];
        if (!l.selected || !shows(i)) continue;
        const bool handles = tool.editsHandles() || static_cast<int>(i) == penPath_;
        painter.draw(l, {.anchors = true, .handles = handles, .anchorSize = a});
    }
    painter.flush();
}

void TCvWindow::DrawMarker(PixelPoint p) {
    if (!surface_) return;
    paintMarker(*surface_, p, roleColor(colorTable(), ColorRole::Marker));
    surface_->present(grow({p.x, p.y, p.x + 1, p.y + 1}, MarkerRadius + 1));
}

void TCvWindow::DrawRubberBand(const PixelRect& r, BandShape shape) {
    if (!surface_) return;
    const PixelRect n = normalized(r);
    surface_->invertFrame(n, shape);
    surface_->present(grow(n, 1));
}

void TCvWindow::paintRulers(Surface& s, const PixelRect& clip) {
    const ColorTable& c = colorTable();
    if (!hRuler_) hRuler_ = std::make_unique<RulerCache>();
    if (!vRuler_) vRuler_ = std::make_unique<RulerCache>();
    // Either strip may be painted first and alone: each is rebuilt when it is next shown.
    if (!rulerImagesValid_) hRulerStale_ = vRulerStale_ = true;
    rulerImagesValid_ = true;
    if (clip.top < RulerWidth && clip.right > RulerWidth) {
        const int from = std::max(RulerWidth, clip.left);
        if (std::exchange(hRulerStale_, false) || !hRuler_->covers(from, clip.right, origin_.x))
            hRuler_->build(s, {true, clientWidth_, origin_.x, Scale(), rulerStep_, rulerMajor_}, c);
        hRuler_->copyTo(s, from, clip.right, origin_.x);
        if (indicatorX_ >= from && indicatorX_ < clip.right) {
            const int x = indicatorX_;
            indicatorX_ = -1;
            drawIndicatorColumn(x);
        }
    }
    if (clip.left < RulerWidth && clip.bottom > RulerWidth) {
        const int from = std::max(RulerWidth, clip.top);
        if (std::exchange(vRulerStale_, false) || !vRuler_->covers(from, clip.bottom, origin_.y))
            vRuler_->build(s, {false, clientHeight_, origin_.y, Scale(), rulerStep_, rulerMajor_},
                           c);
        vRuler_->copyTo(s, from, clip.bottom, origin_.y);
        if (indicatorY_ >= from && indicatorY_ < clip.bottom) {
            const int y = indicatorY_;
            indicatorY_ = -1;
            drawIndicatorRow(y);
        }
    }
    if (clip.left < RulerWidth && clip.top < RulerWidth) {
        if (Scale() > 0.1) {
            s.fillRect({0, 0, RulerWidth, RulerWidth}, ButtonFace);
        } else {
            // Labels count thousands.
            s.fillRect({0, 0, RulerWidth, RulerWidth}, 0x0000FF);
            s.text({2, 0}, "K", {"Courier New", 12, true, 0}, 0xFFFFFF);
        }
        s.line({12, 0}, {12, RulerWidth}, ButtonShadow);
        s.line({0, 12}, {RulerWidth, 12}, ButtonShadow);
    }
}

void TCvWindow::UpdateCursorIndicators(PixelPoint p) {
    eraseIndicators();
    if (!surface_ || !options_->ShowRuler) return;
    drawIndicatorColumn(p.x);
    drawIndicatorRow(p.y);
}

void TCvWindow::drawIndicatorColumn(int x) {
    if (!(x > 12 && x < clientWidth_) || x >= surface_->width()) return;
    const Color ink = roleColor(colorTable(), ColorRole::CursorIndicators);
    if (surface_->pixel({x, 0}) != ink) saveUnder(savedColumn_, {x, 0, x + 1, RulerWidth});
    surface_->line({x, 0}, {x, RulerWidth}, ink);
    surface_->present({x, 0, x + 1, RulerWidth});
    indicatorX_ = x;
}

void TCvWindow::drawIndicatorRow(int y) {
    if (!(y > 12 && y < clientHeight_) || y >= surface_->height()) return;
    const Color ink = roleColor(colorTable(), ColorRole::CursorIndicators);
    if (surface_->pixel({0, y}) != ink) saveUnder(savedRow_, {0, y, RulerWidth, y + 1});
    surface_->line({0, y}, {RulerWidth, y}, ink);
    surface_->present({0, y, RulerWidth, y + 1});
    indicatorY_ = y;
}

void TCvWindow::saveUnder(std::unique_ptr<Surface>& buffer, const PixelRect& r) {
    // Kept as a buffer of the surface's own kind, so that a high-density ruler comes back
    // exactly as it was drawn.
    if (!buffer || buffer->width() != r.width() || buffer->height() != r.height())
        buffer = surface_->createBuffer(r.width(), r.height());
    buffer->copyFrom(*surface_, r, {0, 0});
}

void TCvWindow::eraseIndicators() {
    if (!surface_) return;
    if (indicatorX_ >= 0 && savedColumn_) {
        const PixelRect r{indicatorX_, 0, indicatorX_ + 1, RulerWidth};
        surface_->copyFrom(*savedColumn_, {0, 0, 1, RulerWidth}, {r.left, r.top});
        surface_->present(r);
    }
    if (indicatorY_ >= 0 && savedRow_) {
        const PixelRect r{0, indicatorY_, RulerWidth, indicatorY_ + 1};
        surface_->copyFrom(*savedRow_, {0, 0, RulerWidth, 1}, {r.left, r.top});
        surface_->present(r);
    }
    indicatorX_ = indicatorY_ = -1;
}
