#include "canvas/LinePainter.h"

#include "canvas/ColorRole.h"
#include "canvas/ControlPixels.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace plumex {

namespace {

using enum ColorRole;

// Curves are flattened so that no chord strays more than this from the curve, in pixels: the
// control points are whole pixels already, so a finer tolerance would draw the same.
constexpr double Tolerance = 1.0;
constexpr int MaxPieces = 4096;

// Pieces of equal parameter step that keep a cubic within Tolerance of its chords: the bound
// on the distance grows with the control polygon's second differences.
int pieces(const PixelPoint* p) {
    auto second = [](PixelPoint a, PixelPoint b, PixelPoint c) {
        const long long x = static_cast<long long>(a.x) - 2LL * b.x + c.x;
        const long long y = static_cast<long long>(a.y) - 2LL * b.y + c.y;
        return x * x + y * y;
    };
    const long long m2 = std::max(second(p[0], p[1], p[2]), second(p[1], p[2], p[3]));
    // n pieces suffice when n^2 >= 0.75 sqrt(m2) / Tolerance, that is 16 n^4 >= 9 m2 at a
    // tolerance of one pixel; dense paths have small m2, so count up instead of taking roots.
    static_assert(Tolerance == 1.0);
    for (long long n = 1; n <= 8; ++n)
        if (16 * n * n * n * n >= 9 * m2) return static_cast<int>(n);
    const double n = std::ceil(std::sqrt(0.75 * std::sqrt(double(m2)) / Tolerance));
    return n >= MaxPieces ? MaxPieces : static_cast<int>(n);
}

int nearest(double v) {
    return static_cast<int>(std::floor(v + 0.5));
}

PixelPoint at(const PixelPoint* p, double t) {
    const double u = 1 - t;
    const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    return {nearest(a * p[0].x + b * p[1].x + c * p[2].x + d * p[3].x),
            nearest(a * p[0].y + b * p[1].y + c * p[2].y + d * p[3].y)};
}

} // namespace

LinePainter::LinePainter(Surface& s, InkLayer& ink, const ViewTransform& view,
                         const ColorTable& colors, bool detail)
    : s_(s), ink_(ink), view_(view), colors_(colors), detail_(detail) {}

bool LinePainter::dense(const PixelRect& box, int anchors, int anchorSize) {
    // Squares spread along about the box's perimeter overlap by more than half on average
    // when they stand closer than half a side.
    const long long perimeter = 2LL * (static_cast<long long>(box.width()) + box.height());
    return perimeter == 0 || 2 * perimeter < static_cast<long long>(anchors) * anchorSize;
}

void LinePainter::draw(const TCvLine& line, const LineStyle& style) {
    if (line.points.empty()) return;
    if (detail_) {
        pts_.resize(controlPixelCount(line));
        const ControlPixels c = toControlPixels(line, view_, pts_.data());
        // Without a selected anchor, an anchor's colours depend on its place alone.
        anySelected_ = c.anySelected;
        const PixelRect& box = c.box;
        if (dense(box, line.count(), style.anchorSize)) {
            inkLine(line, style);
            return;
        }
    }
    flush();
    DrawLine(s_, line, view_, style, colors_);
}

void LinePainter::chooseSquares(const TCvLine& line, int a) {
    // In a run of overlapping squares each next one covers the inside of the one before, so
    // the run shows the outline colour, and the inside only of its last square: a square
    // whose successor overlaps it is inked solid. A solid square that would cover more than
    // half of the one inked just before in the same colour adds too little to be worth it.
    squares_.clear();
    auto squareAt = [&](int i) { return pts_[static_cast<std::size_t>(3 * i)]; };
    auto overlapping = [&](PixelPoint p, PixelPoint q) {
        return std::abs(p.x - q.x) < a && std::abs(p.y - q.y) < a;
    };
    const int n = line.count();
    // An anchor's colours follow from two facts, whether it ends an open path and whether it
    // is selected: the four cases are looked up once for the path.
    struct Look {
        std::pair<ColorRole, ColorRole> roles;
        Color pen, fill;
    };
    Look looks[4];
    for (int k = 0; k < 4; ++k) {
        const auto roles = anchorRoles(line.locked, line.selected, (k & 2) != 0, (k & 1) != 0);
        looks[k] = {roles, roleColor(colors_, roles.first), roleColor(colors_, roles.second)};
    }
    auto lookAt = [&](int i) -> const Look& {
        const bool end = !line.closed && (i == 0 || i == n - 1);
        const bool selected =
            anySelected_ && line.points[static_cast<std::size_t>(i)].selected != 0;
        return looks[(end ? 2 : 0) | (selected ? 1 : 0)];
    };
    for (int i = 0; i < n; ++i) {
        const PixelPoint p = squareAt(i);
        const Look& look = lookAt(i);
        const Color pen = look.pen;
        Color fill = look.fill;
        if (fill != pen && i + 1 < n && overlapping(p, squareAt(i + 1)) &&
            lookAt(i + 1).roles == look.roles)
            fill = pen;
        if (!squares_.empty()) {
            const Square& last = squares_.back();
            const int dx = std::abs(p.x - last.at.x), dy = std::abs(p.y - last.at.y);
            if (fill == pen && last.pen == pen && last.fill == pen && dx < a && dy < a &&
                2 * (a - dx) * (a - dy) > a * a)
                continue;
        }
        squares_.push_back({p, pen, fill, i});
    }
}

void LinePainter::inkLine(const TCvLine& line, const LineStyle& style) {
    const Color pen = roleColor(colors_, line.selected ? Selected
                                         : line.locked ? Locked
                                                       : Unselected);
    const int a = style.anchorSize;
    if (style.anchors)
        chooseSquares(line, a);
    else
        squares_.clear();
    // A curve whose control points all lie in a square inked after it is hidden by that
    // square whatever its colours: it need not be flattened at all.
    const Square* const sq = squares_.data();
    const std::size_t ns = squares_.size();
    if (pts_.size() >= 4) {
        PixelPoint prev = pts_[0];
        bool moved = false;
        std::size_t cover = 0; // the first square of an anchor at or after the segment's start
        const std::size_t segments = (pts_.size() - 1) / 3;
        for (std::size_t from = 0; from < segments; ++from) {
            const PixelPoint* seg = &pts_[3 * from];
            while (cover < ns && static_cast<std::size_t>(sq[cover].anchor) < from) ++cover;
            // The square of the anchor before the segment's start, the start's, the next.
            auto under = [&](std::size_t k) { return underSquare(seg, sq[k].at, a); };
            const bool hidden = (cover > 0 && under(cover - 1)) || (cover < ns && under(cover)) ||
                                (cover + 1 < ns && under(cover + 1));
            if (hidden) {
                prev = seg[3];
                moved = true;
                continue;
            }
            if (seg[1] == prev && seg[2] == prev && seg[3] == prev) continue;
            const int n = pieces(seg);
            for (int k = 1; k <= n; ++k) {
                const PixelPoint p = k == n ? seg[3] : at(seg, double(k) / n);
                if (p == prev) continue;
                ink_.line(prev, p, pen);
                prev = p;
                moved = true;
            }
        }
        // A curve within one pixel is that pixel.
        if (!moved) ink_.dot(pts_[0], pen);
    }
    if (style.handles && !line.locked) {
        const Color ink = roleColor(colors_, Control);
        const Color paper = roleColor(colors_, Background);
        for (const TCvPoint& p : line.points) {
            if (!p.selected) continue;
            const PixelPoint in = view_.UnitToPixel(p.inHandle);
            const PixelPoint mid = view_.UnitToPixel(p.anchor);
            const PixelPoint out = view_.UnitToPixel(p.outHandle);
            ink_.line(in, mid, ink);
            ink_.line(mid, out, ink);
            ink_.rectangle(anchorSquare(in, a), ink, paper);
            ink_.rectangle(anchorSquare(out, a), ink, paper);
        }
    }
    for (const Square& q : squares_) ink_.rectangle(anchorSquare(q.at, a), q.pen, q.fill);
}

} // namespace plumex
