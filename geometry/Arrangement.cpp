#include "geometry/Arrangement.h"

#include <2geom/bezier-curve.h>
#include <2geom/curve.h>
#include <2geom/path.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <numbers>

namespace plumex::geom {

namespace {

struct CurveRef {
    const Geom::Curve* curve;
    Geom::Rect box;
    std::size_t path, index, pathSize;
};

std::vector<CurveRef> collect(const Geom::PathVector& paths) {
    std::vector<CurveRef> out;
    for (std::size_t p = 0; p < paths.size(); ++p) {
        const std::size_t n = paths[p].size_default();
        for (std::size_t i = 0; i < n; ++i) {
            const Geom::Curve& c = paths[p][i];
            out.push_back({&c, c.boundsFast(), p, i, n});
        }
    }
    return out;
}

// The same curve, either way round: it meets itself everywhere, so crossings mean nothing.
bool sameCurve(const Geom::Curve& a, const Geom::Curve& b) {
    if (a == b) return true;
    std::unique_ptr<Geom::Curve> r(b.reverse());
    return a == *r;
}

bool neighbours(const CurveRef& a, const CurveRef& b) {
    if (a.path != b.path) return false;
    const std::size_t n = a.pathSize;
    return (a.index + 1) % n == b.index || (b.index + 1) % n == a.index;
}

// Calls visit(i, j) for every pair of curves whose boxes overlap (i == j too), by a sweep.
template <class Visit>
void overlappingPairs(const std::vector<CurveRef>& refs, double tol, Visit visit) {
    std::vector<std::size_t> order(refs.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return refs[a].box.left() < refs[b].box.left();
    });
    for (std::size_t k = 0; k < order.size(); ++k) {
        const CurveRef& a = refs[order[k]];
        if (!visit(order[k], order[k])) return;
        for (std::size_t m = k + 1; m < order.size(); ++m) {
            const CurveRef& b = refs[order[m]];
            if (b.box.left() > a.box.right() + tol) break;
            if (b.box.top() > a.box.bottom() + tol || a.box.top() > b.box.bottom() + tol) continue;
            if (!visit(order[k], order[m])) return;
        }
    }
}

// lib2geom places crossings to about 1e-8 of a curve's parameter, which puts them 1e-8 of the
// drawing off both curves. Newton on a(ta) = b(tb) takes them to the last bits; a tangent
// meeting (singular step) keeps the best point found.
void polish(const Geom::Curve& a, double& ta, const Geom::Curve& b, double& tb) {
    double bestA = ta, bestB = tb;
    double best = Geom::distance(a.pointAt(ta), b.pointAt(tb));
    for (int i = 0; i < 12 && best > 0; ++i) {
        const std::vector<Geom::Point> pa = a.pointAndDerivatives(ta, 1);
        const std::vector<Geom::Point> pb = b.pointAndDerivatives(tb, 1);
        const Geom::Point r = pb[0] - pa[0];
        // pa[1] dta - pb[1] dtb = r
        const double det = Geom::cross(pb[1], pa[1]);
        if (!(std::abs(det) > 1e-14 * Geom::L2(pa[1]) * Geom::L2(pb[1]))) break;
        ta = std::clamp(ta + Geom::cross(pb[1], r) / det, 0.0, 1.0);
        tb = std::clamp(tb + Geom::cross(pa[1], r) / det, 0.0, 1.0);
        const double d = Geom::distance(a.pointAt(ta), b.pointAt(tb));
        if (!(d < best)) break;
        best = d;
        bestA = ta;
        bestB = tb;
    }
    ta = bestA;
    tb = bestB;
}

struct Meeting {
    double ta, tb;
    Geom::Point p;
};

// A crossing of a with b (or with itself when same) that is more than the joint two
// neighbouring segments share, polished; false when it is that joint or not a meeting at all.
// Near a joint the reported times can be 1e-8 off the ends (more where a retracted handle
// makes the curve slow), so the joint is judged by where the points lie, not by the times.
bool meeting(const CurveRef& a, const CurveRef& b, bool same, const Geom::CurveIntersection& x,
             double tol, Meeting& out) {
    double ta = x.first, tb = x.second;
    polish(*a.curve, ta, *b.curve, tb);
    if (same && std::abs(ta - tb) < 1e-9) return false;
    const Geom::Point pa = a.curve->pointAt(ta), pb = b.curve->pointAt(tb);
    if (Geom::distance(pa, pb) > tol * 64) return false; // lib2geom's strays
    if (!same && neighbours(a, b)) {
        const std::size_t n = a.pathSize;
        const auto near = [&](Geom::Point p, Geom::Point q) {
            return Geom::distance(p, q) <= tol * 64;
        };
        if ((a.index + 1) % n == b.index && near(pa, a.curve->finalPoint()) &&
            near(pb, b.curve->initialPoint()))
            return false;
        if ((b.index + 1) % n == a.index && near(pb, b.curve->finalPoint()) &&
            near(pa, a.curve->initialPoint()))
            return false;
    }
    // A meeting this close to a curve's end is at that end: a cut a hair inside it would leave
    // a piece too short to judge which side the region lies on, and the chain would break.
    Geom::Point at = 0.5 * (pa + pb);
    const auto snap = [&](const Geom::Curve& c, double& t) {
        if (Geom::distance(at, c.initialPoint()) <= tol * 64) {
            t = 0;
            at = c.initialPoint();
        } else if (Geom::distance(at, c.finalPoint()) <= tol * 64) {
            t = 1;
            at = c.finalPoint();
        }
    };
    snap(*a.curve, ta);
    snap(*b.curve, tb);
    if (same && std::abs(ta - tb) < 1e-9) return false;
    out = {ta, tb, at};
    return true;
}

struct Cut {
    double t;
    Geom::Point p;
};

// Vertices: points closer than tol are one.
class Vertices {
public:
    explicit Vertices(double tol) : tol_(tol) {}
    std::size_t id(Geom::Point p) {
        const long long cx = static_cast<long long>(std::floor(p[0] / tol_));
        const long long cy = static_cast<long long>(std::floor(p[1] / tol_));
        for (long long dx = -1; dx <= 1; ++dx)
            for (long long dy = -1; dy <= 1; ++dy) {
                const auto it = cells_.find({cx + dx, cy + dy});
                if (it == cells_.end()) continue;
                for (std::size_t v : it->second)
                    if (Geom::distance(points[v], p) <= tol_) return v;
            }
        points.push_back(p);
        cells_[{cx, cy}].push_back(points.size() - 1);
        return points.size() - 1;
    }
    std::vector<Geom::Point> points;

private:
    double tol_;
    std::map<std::pair<long long, long long>, std::vector<std::size_t>> cells_;
};

struct Edge {
    std::unique_ptr<Geom::Curve> curve;
    std::size_t from, to;
    bool used = false;
};

double angleFrom(Geom::Point r, Geom::Point d) {
    double a = std::atan2(Geom::cross(d, r), Geom::dot(r, d));
    if (a < 0) a += 2 * std::numbers::pi;
    return a;
}

} // namespace

namespace {

// What the crossing search needs to know of a curve to skip it: its control points (a line's
// ends), whether it runs one way in x or in y (then it cannot meet itself), and the boxes of
// its pieces between the turning points of x and y, each exact since the curve is monotone
// there.
struct CurveShape {
    Geom::Point c[4];
    int last = 0; // index of the final control point: 1 for a line, 3 for a cubic
    bool known = false;
    bool monotone = false;
    int pieces = 0;
    Geom::Rect box[5];
};

// The roots inside (0, 1) of the quadratic with Bernstein coefficients d0, d1, d2.
int rootsInside(double d0, double d1, double d2, double* out) {
    const double a = d0 - 2 * d1 + d2, b = 2 * (d1 - d0), c = d0;
    int n = 0;
    const auto keep = [&](double t) {
        if (t > 0 && t < 1) out[n++] = t;
    };
    if (a == 0) {
        if (b != 0) keep(-c / b);
        return n;
    }
    const double disc = b * b - 4 * a * c;
    if (disc < 0) return 0;
    // The form without cancellation.
    const double q = -0.5 * (b + std::copysign(std::sqrt(disc), b));
    if (q != 0) keep(c / q);
    keep(q / a);
    return n;
}

CurveShape shapeOf(const Geom::Curve& curve) {
    CurveShape s;
    const auto* bez = dynamic_cast<const Geom::BezierCurve*>(&curve);
    if (!bez || (bez->order() != 1 && bez->order() != 3)) return s;
    s.known = true;
    s.last = static_cast<int>(bez->order());
    for (int i = 0; i <= s.last; ++i) s.c[i] = bez->controlPoint(static_cast<unsigned>(i));
    if (s.last == 1) {
        s.monotone = true;
        s.pieces = 1;
        s.box[0] = Geom::Rect(s.c[0], s.c[1]);
        return s;
    }
    double ts[6] = {0};
    int n = 1;
    for (int axis : {0, 1}) {
        const double d0 = s.c[1][axis] - s.c[0][axis], d1 = s.c[2][axis] - s.c[1][axis],
                     d2 = s.c[3][axis] - s.c[2][axis];
        const int roots = rootsInside(d0, d1, d2, ts + n);
        n += roots;
        if (roots == 0 && (d0 != 0 || d1 != 0 || d2 != 0)) s.monotone = true;
    }
    ts[n++] = 1;
    // At most four roots: an insertion sort.
    for (int i = 1; i < n; ++i)
        for (int k = i; k > 0 && ts[k - 1] > ts[k]; --k) std::swap(ts[k - 1], ts[k]);
    Geom::Point from = s.c[0];
    for (int k = 1; k < n; ++k) {
        const Geom::Point to = k + 1 == n ? s.c[3] : curve.pointAt(ts[k]);
        s.box[s.pieces++] = Geom::Rect(from, to);
        from = to;
    }
    return s;
}

// a ends where b begins, and each control polygon lies in a cone about the joint opposite the
// other's: the two curves share the joint and no other point.
bool apartBeyondJoint(const CurveShape& a, const CurveShape& b) {
    const Geom::Point p = b.c[0];
    if (a.c[a.last] != p) return false;
    // Squares rather than hypot: this runs for every joint of an imported drawing.
    const auto norm2 = [](Geom::Point v) { return v[0] * v[0] + v[1] * v[1]; };
    const auto away = [&](const CurveShape& s, int from, int step) {
        for (int i = from; i >= 0 && i <= s.last; i += step)
            if (s.c[i] != p) return (s.c[i] - p) / std::sqrt(norm2(s.c[i] - p));
        return Geom::Point(0, 0);
    };
    const Geom::Point axis = away(b, 1, 1) - away(a, a.last - 1, -1);
    const double axis2 = norm2(axis);
    if (!(axis2 > 1e-6)) return false; // a cusp
    // The margin keeps points near the joint that both curves come close to inside the
    // stretch that the search takes for the joint itself.
    constexpr double margin2 = 1.0 / (16 * 16);
    const auto inCone = [&](Geom::Point q, double side) {
        const Geom::Point v = q - p;
        const double along = side * Geom::dot(v, axis);
        return along > 0 && along * along > margin2 * norm2(v) * axis2;
    };
    for (int i = 0; i < a.last; ++i)
        if (a.c[i] != p && !inCone(a.c[i], -1)) return false;
    for (int i = 1; i <= b.last; ++i)
        if (b.c[i] != p && !inCone(b.c[i], 1)) return false;
    return true;
}

// No piece of a comes within `gap` of a piece of b.
bool piecesApart(const CurveShape& a, const CurveShape& b, double gap) {
    for (int i = 0; i < a.pieces; ++i)
        for (int j = 0; j < b.pieces; ++j) {
            Geom::Rect grown = a.box[i];
            grown.expandBy(gap);
            if (grown.intersects(b.box[j])) return false;
        }
    return true;
}

} // namespace

bool crossesItself(const Geom::PathVector& paths, double tol, CrossingSearch search) {
    const std::vector<CurveRef> refs = collect(paths);
    std::vector<CurveShape> shapes;
    if (search == CrossingSearch::Pruned) {
        shapes.reserve(refs.size());
        for (const CurveRef& r : refs) shapes.push_back(shapeOf(*r.curve));
    }
    // A meeting is never farther apart than this (see meeting()), so curves whose pieces keep
    // more room between them cannot have one.
    const double gap = tol * 128;
    const auto cannotMeet = [&](std::size_t i, std::size_t j) {
        if (shapes.empty()) return false;
        const CurveShape &a = shapes[i], &b = shapes[j];
        if (!a.known || !b.known) return false;
        if (i == j) return a.monotone;
        const CurveRef &ra = refs[i], &rb = refs[j];
        if (neighbours(ra, rb)) {
            if (ra.pathSize < 3) return false; // neighbours at both ends
            return (ra.index + 1) % ra.pathSize == rb.index ? apartBeyondJoint(a, b)
                                                            : apartBeyondJoint(b, a);
        }
        return piecesApart(a, b, gap);
    };
    bool found = false;
    overlappingPairs(refs, tol, [&](std::size_t i, std::size_t j) {
        if (cannotMeet(i, j)) return true;
        const CurveRef& a = refs[i];
        const CurveRef& b = refs[j];
        const auto xs = i == j ? a.curve->intersectSelf(tol) : a.curve->intersect(*b.curve, tol);
        Meeting m;
        for (const auto& x : xs) {
            if (!meeting(a, b, i == j, x, tol, m)) continue;
            found = true;
            return false;
        }
        return true;
    });
    return found;
}

Geom::PathVector resolveRegion(const Geom::PathVector& paths,
                               const std::function<bool(Geom::Point)>& inside, double tol) {
    const std::vector<CurveRef> refs = collect(paths);
    std::vector<std::vector<Cut>> cuts(refs.size());
    for (std::size_t i = 0; i < refs.size(); ++i) {
        cuts[i].push_back({0, refs[i].curve->initialPoint()});
        cuts[i].push_back({1, refs[i].curve->finalPoint()});
    }
    overlappingPairs(refs, tol, [&](std::size_t i, std::size_t j) {
        const CurveRef& a = refs[i];
        const CurveRef& b = refs[j];
        if (i != j && sameCurve(*a.curve, *b.curve)) return true;
        const auto xs = i == j ? a.curve->intersectSelf(tol) : a.curve->intersect(*b.curve, tol);
        Meeting m;
        for (const auto& x : xs) {
            if (!meeting(a, b, i == j, x, tol, m)) continue;
            cuts[i].push_back({m.ta, m.p});
            cuts[j].push_back({m.tb, m.p});
        }
        return true;
    });

    Vertices vertices(tol);
    std::vector<Edge> edges;
    for (std::size_t i = 0; i < refs.size(); ++i) {
        auto& c = cuts[i];
        std::sort(c.begin(), c.end(), [](const Cut& a, const Cut& b) { return a.t < b.t; });
        for (std::size_t k = 0; k + 1 < c.size(); ++k) {
            const std::size_t from = vertices.id(c[k].p), to = vertices.id(c[k + 1].p);
            if (from == to && c[k + 1].t - c[k].t < 1e-9) continue;
            std::unique_ptr<Geom::Curve> piece(refs[i].curve->portion(c[k].t, c[k + 1].t));
            piece->setInitial(vertices.points[from]);
            piece->setFinal(vertices.points[to]);
            if (from == to && piece->isDegenerate()) continue;
            edges.push_back({std::move(piece), from, to});
        }
    }

    // Keep the pieces that bound the region, turned to have it on their left.
    std::vector<Edge> kept;
    std::map<std::pair<std::size_t, std::size_t>, std::vector<std::size_t>> byEnds;
    for (Edge& e : edges) {
        const Geom::Point m = e.curve->pointAt(0.5);
        Geom::Point d = e.curve->unitTangentAt(0.5);
        if (!std::isfinite(d[0]) || !std::isfinite(d[1])) continue;
        const double offset = std::max(tol, std::min(Geom::distance(m, e.curve->initialPoint()),
                                                     Geom::distance(m, e.curve->finalPoint())) *
                                                1e-3);
        const Geom::Point left = m + Geom::rot90(d) * offset;
        const Geom::Point right = m - Geom::rot90(d) * offset;
        const bool inLeft = inside(left), inRight = inside(right);
        if (inLeft == inRight) continue;
        if (inRight) {
            e.curve.reset(e.curve->reverse());
            std::swap(e.from, e.to);
        }
        // Two pieces along the same stretch (a shared edge) count once.
        auto& same = byEnds[{e.from, e.to}];
        bool duplicate = false;
        for (std::size_t k : same)
            if (Geom::distance(kept[k].curve->pointAt(0.5), m) <= tol * 16) duplicate = true;
        if (duplicate) continue;
        same.push_back(kept.size());
        kept.push_back(std::move(e));
    }

    std::vector<std::vector<std::size_t>> outgoing(vertices.points.size());
    for (std::size_t k = 0; k < kept.size(); ++k) outgoing[kept[k].from].push_back(k);

    Geom::PathVector out;
    for (std::size_t start = 0; start < kept.size(); ++start) {
        if (kept[start].used) continue;
        Geom::Path path(vertices.points[kept[start].from]);
        std::size_t current = start;
        for (;;) {
            Edge& e = kept[current];
            e.used = true;
            path.append(e.curve->duplicate());
            if (e.to == kept[start].from) break;
            // Turn into the sector of the region this piece bounds: the first outgoing piece
            // clockwise from the way back. Where the region pinches to a point (a figure
            // eight, shapes touching at a corner) that keeps the lobes apart.
            const Geom::Point back = -e.curve->unitTangentAt(1);
            std::size_t best = kept.size();
            double bestAngle = 10;
            for (std::size_t k : outgoing[e.to]) {
                if (kept[k].used) continue;
                const double a = angleFrom(back, kept[k].curve->unitTangentAt(0));
                if (a < bestAngle) {
                    bestAngle = a;
                    best = k;
                }
            }
            if (best == kept.size()) break; // a stray end: closed straight below
            current = best;
        }
        path.close(true);
        out.push_back(std::move(path));
    }
    return out;
}

} // namespace plumex::geom
