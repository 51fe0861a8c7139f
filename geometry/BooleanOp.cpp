#include "geometry/BooleanOp.h"

#include "geometry/Arrangement.h"
#include "geometry/GeomPaths.h"
#include "geometry/PathArea.h"
#include "geometry/Winding.h"
#include "model/LineTree.h"

#include <2geom/path.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

namespace plumex {

namespace {

using Geom::PathVector;

// lib2geom's tolerances are absolute (1e-6), so the drawing is scaled by a power of two
// (exact both ways) to about a million units across: they become about 1e-12 of its size.
struct Frame {
    double scale = 1;
    double tol = Geom::EPSILON;
    double tiny = 1e-4;
};

Frame frameFor(std::span<const TCvLine> a, std::span<const TCvLine> b) {
    double extent = 0;
    for (auto group : {a, b})
        for (const TCvLine& line : group)
            for (const TCvPoint& p : line.points)
                for (TCvCoord c : {p.anchor, p.inHandle, p.outHandle})
                    if (std::isfinite(c.x) && std::isfinite(c.y))
                        extent = std::max({extent, std::abs(c.x), std::abs(c.y)});
    Frame f;
    if (extent > 0) {
        int e = 0;
        std::frexp(extent, &e);
        f.scale = std::ldexp(1.0, 20 - e);
    }
    return f;
}

bool finite(const TCvLine& line) {
    for (const TCvPoint& p : line.points)
        for (TCvCoord c : {p.anchor, p.inHandle, p.outHandle})
            if (!std::isfinite(c.x) || !std::isfinite(c.y)) return false;
    return true;
}

// Twice the signed area of a closed contour: x y' - y x' is of degree 5 on a cubic, so
// three Gauss points per curve give it exactly.
double twiceArea(const Geom::Path& path) {
    static constexpr double nodes[] = {0.1127016653792583, 0.5, 0.8872983346207417};
    static constexpr double weights[] = {5.0 / 18, 8.0 / 18, 5.0 / 18};
    double sum = 0;
    for (const Geom::Curve& c : path)
        for (int k = 0; k < 3; ++k) {
            const std::vector<Geom::Point> pd = c.pointAndDerivatives(nodes[k], 1);
            sum += weights[k] * (pd[0][Geom::X] * pd[1][Geom::Y] - pd[0][Geom::Y] * pd[1][Geom::X]);
        }
    return sum;
}

// The intersection graph reads a region from the way its contours run: outlines
// anticlockwise, holes clockwise, whatever way the user drew them.
void orient(PathVector& pv) {
    for (std::size_t i = 0; i < pv.size(); ++i) {
        if (pv[i].empty()) continue;
        const Geom::Point probe = pv[i][0].pointAt(0.5);
        int depth = 0;
        for (std::size_t j = 0; j < pv.size(); ++j)
            if (j != i && geom::windingNumber(pv[j], probe) != 0) ++depth;
        if ((twiceArea(pv[i]) > 0) != (depth % 2 == 0)) pv[i] = pv[i].reversed();
    }
}

// One path's region as non-crossing contours: even-odd, as it is drawn.
PathVector regionOf(const TCvLine& line, const Frame& f, bool nonzero = false) {
    PathVector pv;
    if (!finite(line)) return pv;
    geom::appendContours(line, f.scale, pv);
    if (nonzero || geom::crossesItself(pv, f.tol)) {
        const PathVector all = pv;
        const geom::WindingIndex wind(all);
        pv = geom::resolveRegion(
            all,
            [&](Geom::Point p) {
                const int w = wind(p);
                return nonzero ? w != 0 : w % 2 != 0;
            },
            f.tol);
    }
    orient(pv);
    return pv;
}

bool disjoint(const PathVector& a, const PathVector& b) {
    const Geom::OptRect ra = a.boundsFast(), rb = b.boundsFast();
    return !ra || !rb || !ra->intersects(*rb);
}

enum class Pair { Union, AminusB, Intersection, Xor };

PathVector combine(Pair op, const PathVector& a, const PathVector& b, const Frame& f) {
    if (a.empty() || b.empty() || disjoint(a, b)) {
        switch (op) {
        case Pair::Union:
        case Pair::Xor: {
            PathVector out = a;
            out.insert(out.end(), b.begin(), b.end());
            return out;
        }
        case Pair::AminusB:
            return a;
        case Pair::Intersection:
            return {};
        }
    }
    // Our own arrangement rather than lib2geom's intersection graph: the graph placed crossings
    // only to about 1e-8 of the size and lost whole pieces where contours meet at their ends.
    PathVector all = a;
    all.insert(all.end(), b.begin(), b.end());
    const geom::WindingIndex windA(a), windB(b);
    return geom::resolveRegion(
        all,
        [&](Geom::Point p) {
            const bool inA = windA(p) % 2 != 0, inB = windB(p) % 2 != 0;
            switch (op) {
            case Pair::Union:
                return inA || inB;
            case Pair::AminusB:
                return inA && !inB;
            case Pair::Intersection:
                return inA && inB;
            case Pair::Xor:
                return inA != inB;
            }
            return false;
        },
        f.tol);
}

// Union of many regions, pairwise in a balanced tree so no operand grows alone.
PathVector unionTree(std::vector<PathVector> items, const Frame& f) {
    if (items.empty()) return {};
    while (items.size() > 1) {
        std::vector<PathVector> next;
        for (std::size_t i = 0; i + 1 < items.size(); i += 2)
            next.push_back(combine(Pair::Union, items[i], items[i + 1], f));
        if (items.size() % 2) next.push_back(std::move(items.back()));
        items = std::move(next);
    }
    return std::move(items.front());
}

// Regions whose bounds do not touch are united by just listing them, so only clusters of
// overlapping ones (neighbouring letters of a text) go through the arrangement together.
PathVector unionAll(std::vector<PathVector> items, const Frame& f) {
    const std::size_t n = items.size();
    std::vector<Geom::Rect> boxes(n);
    std::vector<std::size_t> order, parent(n);
    for (std::size_t i = 0; i < n; ++i) {
        parent[i] = i;
        if (const Geom::OptRect r = items[i].boundsFast()) {
            boxes[i] = *r;
            order.push_back(i);
        }
    }
    const auto root = [&](std::size_t i) {
        while (parent[i] != i) i = parent[i] = parent[parent[i]];
        return i;
    };
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return boxes[a].left() < boxes[b].left(); });
    for (std::size_t k = 0; k < order.size(); ++k)
        for (std::size_t m = k + 1; m < order.size(); ++m) {
            const Geom::Rect &a = boxes[order[k]], &b = boxes[order[m]];
            if (b.left() > a.right()) break;
            if (a.intersects(b)) parent[root(order[k])] = root(order[m]);
        }
    std::map<std::size_t, std::vector<PathVector>> clusters;
    for (std::size_t i = 0; i < n; ++i) clusters[root(i)].push_back(std::move(items[i]));
    PathVector out;
    for (auto& [key, cluster] : clusters) {
        const PathVector u = unionTree(std::move(cluster), f);
        out.insert(out.end(), u.begin(), u.end());
    }
    return out;
}

std::vector<PathVector> regions(std::span<const TCvLine> lines, const Frame& f) {
    std::vector<PathVector> out;
    for (const TCvLine& line : lines)
        if (line.closed) out.push_back(regionOf(line, f));
    return out;
}

// Contours to paths with their holes merged, one path per separate piece.
void appendPaths(const PathVector& pv, const Frame& f, std::vector<TCvLine>& out) {
    std::vector<TCvLine> contours;
    for (const Geom::Path& p : pv) {
        TCvLine line = geom::toLine(p, f.scale, f.tiny);
        if (line.points.size() >= 2 || (line.points.size() == 1 && !line.points[0].independent))
            contours.push_back(std::move(line));
    }
    // Outlines anticlockwise, holes clockwise: a merged path's signed area is then its area.
    {
        const TCvLineTree tree = BuildTree(contours);
        std::vector<bool> flip(contours.size());
        std::vector<std::pair<const TCvLineNode*, int>> stack;
        for (const TCvLineNode* n = tree.top.first; n; n = n->next) stack.push_back({n, 0});
        while (!stack.empty()) {
            const auto [node, depth] = stack.back();
            stack.pop_back();
            const std::size_t index = static_cast<std::size_t>(node->line - contours.data());
            flip[index] = (signedArea(*node->line) > 0) != (depth % 2 == 0);
            for (const TCvLineNode* c = node->children.first; c; c = c->next)
                stack.push_back({c, depth + 1});
        }
        for (std::size_t i = 0; i < contours.size(); ++i)
            if (flip[i]) contours[i].Reverse();
    }
    Flatten(BuildTree(contours).top, out);
}

} // namespace

std::vector<TCvLine> BooleanOp(BooleanOperation op, std::span<const TCvLine> subject,
                               std::span<const TCvLine> clip) {
    const Frame f = frameFor(subject, clip);
    const PathVector a = unionAll(regions(subject, f), f);
    std::vector<TCvLine> out;
    if (op == BooleanOperation::Division) {
        std::vector<PathVector> pieces{a};
        for (const PathVector& cutter : regions(clip, f)) {
            std::vector<PathVector> next;
            for (const PathVector& piece : pieces)
                for (Pair part : {Pair::Intersection, Pair::AminusB}) {
                    PathVector r = combine(part, piece, cutter, f);
                    if (!r.empty()) next.push_back(std::move(r));
                }
            pieces = std::move(next);
        }
        for (const PathVector& piece : pieces) appendPaths(piece, f, out);
        return out;
    }
    const PathVector b = unionAll(regions(clip, f), f);
    Pair pair = Pair::Union;
    switch (op) {
    case BooleanOperation::Union:
        pair = Pair::Union;
        break;
    case BooleanOperation::Difference:
        pair = Pair::AminusB;
        break;
    case BooleanOperation::Intersection:
        pair = Pair::Intersection;
        break;
    case BooleanOperation::Exclusion:
        pair = Pair::Xor;
        break;
    case BooleanOperation::Division:
        break;
    }
    appendPaths(combine(pair, a, b, f), f, out);
    return out;
}

std::vector<TCvLine> CombinePaths(BooleanOperation op, std::span<const TCvLine> paths) {
    std::vector<TCvLine> closed;
    for (const TCvLine& line : paths)
        if (line.closed) closed.push_back(line);
    if (closed.empty()) return {};
    if (closed.size() == 1) {
        if (op != BooleanOperation::Union) return {};
        return UnionNonzero(closed);
    }
    const std::span<const TCvLine> all(closed);
    switch (op) {
    case BooleanOperation::Union:
        return BooleanOp(op, all.first(1), all.subspan(1));
    case BooleanOperation::Difference:
    case BooleanOperation::Division:
        return BooleanOp(op, all.first(1), all.subspan(1));
    case BooleanOperation::Intersection:
    case BooleanOperation::Exclusion:
        break;
    }
    // Intersection and exclusion go path by path: each path is its own operand.
    const Frame f = frameFor(all, {});
    const Pair pair = op == BooleanOperation::Intersection ? Pair::Intersection : Pair::Xor;
    PathVector acc = regionOf(closed.front(), f);
    for (std::size_t i = 1; i < closed.size(); ++i)
        acc = combine(pair, acc, regionOf(closed[i], f), f);
    std::vector<TCvLine> out;
    appendPaths(acc, f, out);
    return out;
}

namespace {

PathVector contoursOf(std::span<const TCvLine> subpaths, const Frame& f) {
    PathVector all;
    for (const TCvLine& line : subpaths)
        if (finite(line)) geom::appendContours(line, f.scale, all);
    return all;
}

// Of contours that do not meet, those that bound the nonzero region: each bounds it or not as
// a whole, so one probe on either side of each says which.
PathVector nonzeroBoundaries(const PathVector& all, const Frame& f) {
    const geom::WindingIndex wind(all);
    PathVector kept;
    for (const Geom::Path& contour : all) {
        if (contour.empty()) continue;
        const Geom::Curve& c = contour[0];
        const Geom::Point m = c.pointAt(0.5), d = c.unitTangentAt(0.5);
        if (!std::isfinite(d[0]) || !std::isfinite(d[1])) continue;
        const double offset = std::max(f.tol, std::min(Geom::distance(m, c.initialPoint()),
                                                       Geom::distance(m, c.finalPoint())) *
                                                  1e-3);
        const Geom::Point left = m + Geom::rot90(d) * offset, right = m - Geom::rot90(d) * offset;
        if ((wind(left) != 0) != (wind(right) != 0)) kept.push_back(contour);
    }
    return kept;
}

} // namespace

std::vector<TCvLine> UnionNonzero(std::span<const TCvLine> subpaths) {
    const Frame f = frameFor(subpaths, {});
    const PathVector all = contoursOf(subpaths, f);
    std::vector<TCvLine> out;
    if (geom::crossesItself(all, f.tol)) {
        const geom::WindingIndex wind(all);
        const auto inside = [&](Geom::Point p) { return wind(p) != 0; };
        appendPaths(geom::resolveRegion(all, inside, f.tol), f, out);
    } else {
        // Files of thousands of nested rings take this way.
        appendPaths(nonzeroBoundaries(all, f), f, out);
    }
    return out;
}

bool NonzeroFillsAsEvenOdd(std::span<const TCvLine> subpaths, CrossingSearch search) {
    const Frame f = frameFor(subpaths, {});
    const PathVector all = contoursOf(subpaths, f);
    // Without crossings, the regions agree when crossing any contour changes the nonzero
    // fill, as it changes the even-odd one.
    return !geom::crossesItself(all, f.tol, search) &&
           nonzeroBoundaries(all, f).size() == all.size();
}

bool SelfOverlaps(const TCvLine& path) {
    if (!path.closed || !finite(path)) return false;
    const TCvLine one[] = {path};
    const Frame f = frameFor(one, {});
    PathVector pv;
    geom::appendContours(path, f.scale, pv);
    return geom::crossesItself(pv, f.tol);
}

} // namespace plumex
