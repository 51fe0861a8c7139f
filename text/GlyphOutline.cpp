#include "text/GlyphOutline.h"

#include <cstdint>

namespace plumex {

namespace {

enum class Tag { On, Conic, Cubic };

Tag tagOf(char tag) {
    switch (FT_CURVE_TAG(tag)) {
    case FT_CURVE_TAG_ON:
        return Tag::On;
    case FT_CURVE_TAG_CUBIC:
        return Tag::Cubic;
    default:
        return Tag::Conic;
    }
}

// All points of the contour on one straight line (or one point): the contour encloses nothing.
// Checked on the integer design units, so the answer is exact.
bool hasNoArea(const FT_Vector* p, int n) {
    int k = 1;
    while (k < n && p[k].x == p[0].x && p[k].y == p[0].y) ++k;
    if (k >= n) return true;
    const std::int64_t dx = std::int64_t{p[k].x} - p[0].x;
    const std::int64_t dy = std::int64_t{p[k].y} - p[0].y;
    for (int i = k + 1; i < n; ++i) {
        const std::int64_t ex = std::int64_t{p[i].x} - p[0].x;
        const std::int64_t ey = std::int64_t{p[i].y} - p[0].y;
        // Design units fit in 26 bits after FreeType's checks, so the products cannot overflow.
        if (dx * ey - dy * ex != 0) return false;
    }
    return true;
}

// Builds one closed path from the pieces of a contour.
class ContourBuilder {
public:
    explicit ContourBuilder(TCvCoord start) { path_.points.emplace_back(start, start, start); }

    void lineTo(TCvCoord e) {
        if (equal(e, last().anchor)) return; // a zero-length piece adds nothing to the outline
        path_.points.emplace_back(e, e, e);
    }
    // The quadratic a-c-e is exactly the cubic with handles two thirds of the way to c.
    void conicTo(TCvCoord c, TCvCoord e) {
        TCvPoint& a = last();
        a.outHandle = add(a.anchor, scale(subtract(c, a.anchor), 2.0 / 3.0));
        a.updateIndependent();
        path_.points.emplace_back(e, add(e, scale(subtract(c, e), 2.0 / 3.0)), e);
    }
    void cubicTo(TCvCoord h1, TCvCoord h2, TCvCoord e) {
        TCvPoint& a = last();
        a.outHandle = h1;
        a.updateIndependent();
        path_.points.emplace_back(e, h2, e);
    }
    TCvLine finish() {
        path_.closed = 1;
        if (path_.count() > 1 && equal(last().anchor, path_.points.front().anchor)) {
            path_.points.front().inHandle = last().inHandle;
            path_.points.pop_back();
        }
        path_.points.front().updateIndependent();
        last().updateIndependent();
        return std::move(path_);
    }

private:
    TCvPoint& last() { return path_.points.back(); }
    TCvLine path_;
};

TCvCoord midpoint(TCvCoord a, TCvCoord b) {
    return {(a.x + b.x) / 2, (a.y + b.y) / 2};
}

// Walks the contour's points from an on-curve start, resolving the implied on-curve points
// between two conic controls; false when the tags make no valid outline.
bool walkContour(const FT_Vector* pts, const char* tags, int n, double s, TCvLine& out) {
    auto at = [&](int i) { return TCvCoord{pts[i].x * s, pts[i].y * s}; };
    int first = 0;
    TCvCoord start;
    if (tagOf(tags[0]) == Tag::On) {
        start = at(0);
        first = 1;
    } else if (tagOf(tags[0]) == Tag::Cubic) {
        return false;
    } else if (tagOf(tags[n - 1]) == Tag::On) {
        start = at(n - 1);
        --n;
    } else {
        start = midpoint(at(0), at(n - 1));
    }
    ContourBuilder b(start);
    bool conic = false;
    TCvCoord c;
    for (int i = first; i <= n; ++i) {
        // Past the last point the contour returns to its start.
        const bool closing = i == n;
        const Tag tag = closing ? Tag::On : tagOf(tags[i]);
        const TCvCoord p = closing ? start : at(i);
        if (tag == Tag::On) {
            if (conic)
                b.conicTo(c, p);
            else
                b.lineTo(p);
            conic = false;
        } else if (tag == Tag::Conic) {
            if (conic) b.conicTo(c, midpoint(c, p));
            c = p;
            conic = true;
        } else {
            if (conic || i + 1 >= n || tagOf(tags[i + 1]) != Tag::Cubic) return false;
            TCvCoord e = start;
            if (i + 2 < n) {
                if (tagOf(tags[i + 2]) != Tag::On) return false;
                e = at(i + 2);
            }
            b.cubicTo(p, at(i + 1), e);
            i += 2;
        }
    }
    out = b.finish();
    return true;
}

} // namespace

std::vector<TCvLine> OutlineToPaths(const FT_Outline& outline, double scale) {
    std::vector<TCvLine> paths;
    int first = 0;
    const int nPoints = outline.n_points;
    for (int k = 0; k < outline.n_contours; ++k) {
        const int last = outline.contours[k];
        if (last < first || last >= nPoints) break; // malformed: FreeType would refuse it too
        const int n = last - first + 1;
        TCvLine path;
        if (!hasNoArea(outline.points + first, n) &&
            walkContour(outline.points + first, outline.tags + first, n, scale, path))
            paths.push_back(std::move(path));
        first = last + 1;
    }
    return paths;
}

} // namespace plumex
