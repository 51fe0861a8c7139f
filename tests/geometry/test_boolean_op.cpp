// The boolean engine against exact areas, the input curves, and the hard meetings of shapes.

#include "geometry/BooleanOp.h"
#include "shapes.h"
#include "text/Fonts.h"
#include "text/TextOutline.h"

#include <gtest/gtest.h>

using namespace plumex;
using shapes::area;
using shapes::circle;
using shapes::rect;
using Op = BooleanOperation;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
constexpr bool kSanitized = __has_feature(address_sanitizer);
#else
constexpr bool kSanitized = false;
#endif

std::vector<TCvLine> run(Op op, const TCvLine& a, const TCvLine& b) {
    const TCvLine sa[] = {a}, sb[] = {b};
    return BooleanOp(op, sa, sb);
}

// Each result closed, finite, on the inputs' curves.
void expectSound(const std::vector<TCvLine>& result, const TCvLine& a, const TCvLine& b,
                 double size) {
    for (const TCvLine& l : result) {
        EXPECT_TRUE(l.closed);
        for (const TCvPoint& p : l.points) EXPECT_TRUE(std::isfinite(p.anchor.x + p.anchor.y));
    }
    const TCvLine in[] = {a, b};
    EXPECT_LE(shapes::worstDistance(result, in), 1e-9 * size);
}

} // namespace

// Inclusion-exclusion on random curved pairs: every identity ties two operations' exact
// areas together, so a lost or doubled piece anywhere shows.
TEST(BooleanOp, AreasOfRandomCurvedPairsObeyInclusionExclusion) {
    const int pairs = kSanitized ? 40 : 1000;
    std::mt19937_64 rng(27);
    std::uniform_real_distribution<double> pos(-1, 1), size(0.5, 2);
    int checked = 0;
    for (int i = 0; i < pairs; ++i) {
        TCvLine a = shapes::blob(rng, pos(rng), pos(rng), size(rng));
        TCvLine b = shapes::blob(rng, pos(rng), pos(rng), size(rng));
        if (SelfOverlaps(a) || SelfOverlaps(b)) continue;
        // Drawn either way round: the region is the same.
        if (i % 2) a.Reverse();
        if (i % 3 == 0) b.Reverse();
        ++checked;
        const double aa = std::abs(signedArea(a)), ab = std::abs(signedArea(b));
        const auto u = run(Op::Union, a, b), x = run(Op::Intersection, a, b);
        const auto d = run(Op::Difference, a, b), e = run(Op::Exclusion, a, b);
        const auto v = run(Op::Division, a, b);
        const double au = area(u), ax = area(x);
        const double scale = aa + ab;
        ASSERT_NEAR(au, aa + ab - ax, 1e-9 * scale) << "pair " << i;
        ASSERT_NEAR(area(d), aa - ax, 1e-9 * scale) << "pair " << i;
        ASSERT_NEAR(area(e), au - ax, 1e-9 * scale) << "pair " << i;
        ASSERT_NEAR(area(v), aa, 1e-9 * scale) << "pair " << i;
        if (i % 25 == 0) {
            for (const auto* r : {&u, &x, &d, &e, &v}) expectSound(*r, a, b, 4);
        }
    }
    EXPECT_GT(checked, pairs * 9 / 10);
}

struct HardCase {
    const char* name;
    TCvLine a, b;
    double areaA, areaB, areaIntersection;
};

// Meetings that defeat naive crossing tests: each checked by the exact areas of all five.
TEST(BooleanOp, HardMeetingsKeepExactAreas) {
    const double pi = std::numbers::pi;
    TCvLine shifted = rect(0, 1e-12, 1, 1 + 1e-12);
    // A unit-area diamond whose left corner rests on the right edge of a 2 by 2 square.
    TCvLine tilted = rect(0, 0, 0, 0);
    const double h = std::sqrt(0.5);
    const TCvCoord diamond[] = {{2, 1}, {2 + h, 1 - h}, {2 + 2 * h, 1}, {2 + h, 1 + h}};
    for (int i = 0; i < 4; ++i)
        tilted.points[static_cast<std::size_t>(i)] = TCvPoint(diamond[i], diamond[i], diamond[i]);
    const double ca = signedArea(circle(0, 0, 1));
    const std::vector<HardCase> cases = {
        {"shared edge", rect(0, 0, 1, 1), rect(1, 0, 2, 1), 1, 1, 0},
        {"shared part of an edge", rect(0, 0, 2, 2), rect(2, 1, 3, 3), 4, 2, 0},
        {"touching at a corner", rect(0, 0, 1, 1), rect(1, 1, 2, 2), 1, 1, 0},
        {"a corner on an edge, tilted", rect(0, 0, 2, 2), tilted, 4, 1, 0},
        {"a curve touching a corner", rect(0, 0, 1, 1), circle(2, 1, 1), 1, ca, 0},
        {"identical", circle(0, 0, 1), circle(0, 0, 1), ca, ca, ca},
        {"one inside the other", rect(0, 0, 10, 10), circle(5, 5, 2), 100, 4 * ca, 4 * ca},
        {"tangent outside", circle(0, 0, 1), circle(2, 0, 1), ca, ca, 0},
        {"tangent inside", circle(0, 0, 2), circle(1, 0, 1), 4 * ca, ca, ca},
        {"inside sharing an edge", rect(0, 0, 4, 4), rect(0, 1, 2, 3), 16, 4, 4},
        {"near-coincident anchors", rect(0, 0, 1, 1), shifted, 1, 1, 1 - 1e-12},
    };
    (void)pi;
    for (const HardCase& c : cases) {
        SCOPED_TRACE(c.name);
        const double tol = 1e-8 * (c.areaA + c.areaB);
        const auto u = run(Op::Union, c.a, c.b), x = run(Op::Intersection, c.a, c.b);
        const auto d = run(Op::Difference, c.a, c.b), e = run(Op::Exclusion, c.a, c.b);
        const auto v = run(Op::Division, c.a, c.b);
        EXPECT_NEAR(area(u), c.areaA + c.areaB - c.areaIntersection, tol);
        EXPECT_NEAR(area(x), c.areaIntersection, tol);
        EXPECT_NEAR(area(d), c.areaA - c.areaIntersection, tol);
        EXPECT_NEAR(area(e), c.areaA + c.areaB - 2 * c.areaIntersection, tol);
        EXPECT_NEAR(area(v), c.areaA, tol);
        for (const auto* r : {&u, &x, &d, &e, &v}) expectSound(*r, c.a, c.b, 10);
    }
}

TEST(BooleanOp, PathWithItselfAndCircleUnionStayLean) {
    const TCvLine a = circle(0, 0, 1);
    const TCvLine both[] = {a, a};
    const auto self = CombinePaths(Op::Union, both);
    ASSERT_EQ(self.size(), 1u);
    EXPECT_NEAR(area(self), signedArea(a), 1e-12);
    EXPECT_TRUE(CombinePaths(Op::Difference, both).empty());

    const auto u = run(Op::Union, circle(0, 0, 1), circle(1, 0, 1));
    ASSERT_EQ(u.size(), 1u);
    EXPECT_GE(u[0].count(), 4);
    EXPECT_LE(u[0].count(), 8);
}

// A difference that leaves a hole is one path: outline and hole merged, as Make Hole does.
TEST(BooleanOp, DifferenceWithHoleIsOnePath) {
    const auto d = run(Op::Difference, rect(0, 0, 10, 10), circle(5, 5, 2));
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].count(), 4 + 4 + 2); // each contour's anchors, the bridge's ends repeated
    // And it can be an operand again: its bridge is not an edge of the region.
    const auto again = run(Op::Union, d[0], rect(4, 4, 6, 6));
    EXPECT_NEAR(area(again), 100 - 4 * signedArea(circle(0, 0, 1)) + 4, 1e-9);
}

TEST(BooleanOp, UnionResolvesASelfCrossingFigureEight) {
    // A bow tie whose two lobes cross in the middle of two segments.
    TCvLine eight = rect(0, 0, 2, 2);
    std::swap(eight.points[2], eight.points[3]);
    ASSERT_TRUE(SelfOverlaps(eight));
    const TCvLine one[] = {eight};
    const auto u = CombinePaths(Op::Union, one);
    EXPECT_NEAR(area(u), 2, 1e-12);
    // The lobes meet at one point only: two separate outlines.
    ASSERT_EQ(u.size(), 2u);
    for (const TCvLine& lobe : u) EXPECT_NEAR(signedArea(lobe), 1, 1e-12);
}

// Touching at a point leaves two pieces, none lost, each an outline of its own.
TEST(BooleanOp, ShapesTouchingAtAPointStayTwoPieces) {
    const auto u = run(Op::Union, rect(0, 0, 1, 1), rect(1, 1, 2, 2));
    ASSERT_EQ(u.size(), 2u);
    for (const TCvLine& l : u) EXPECT_NEAR(signedArea(l), 1, 1e-12);
    const auto e = run(Op::Exclusion, rect(0, 0, 1, 1), rect(1, 1, 2, 2));
    EXPECT_EQ(e.size(), 2u);
}

// Nonzero: a loop inside another the same way round fills it, the other way round cuts it.
TEST(BooleanOp, UnionNonzeroFollowsTheWindingRule) {
    TCvLine inner = circle(0, 0, 1);
    const TCvLine same[] = {circle(0, 0, 2), inner};
    EXPECT_NEAR(area(UnionNonzero(same)), signedArea(circle(0, 0, 2)), 1e-9);
    inner.Reverse();
    const TCvLine opposite[] = {circle(0, 0, 2), inner};
    const auto ring = UnionNonzero(opposite);
    ASSERT_EQ(ring.size(), 1u);
    EXPECT_NEAR(area(ring), signedArea(circle(0, 0, 2)) - signedArea(circle(0, 0, 1)), 1e-9);
}

// A path that crosses itself where it starts: two blobs through one point P drawn as one
// path from P, then started anywhere. Its nonzero region is the blobs' union whatever the
// start; an imported logo once lost half its area to a chord from such a start.
TEST(BooleanOp, NonzeroRegionDoesNotDependOnWhereAPathStarts) {
    std::mt19937_64 rng(26);
    std::uniform_real_distribution<double> pos(-1, 1), size(0.5, 2);
    const int cases = kSanitized ? 30 : 200;
    for (int i = 0; i < cases; ++i) {
        TCvLine a = shapes::blob(rng, 0, 0, size(rng)),
                b = shapes::blob(rng, pos(rng), 0, size(rng));
        if (SelfOverlaps(a) || SelfOverlaps(b)) continue;
        const TCvCoord p{pos(rng), pos(rng)};
        const std::size_t k = rng() % b.points.size();
        a.Translate({p.x - a.points[0].anchor.x, p.y - a.points[0].anchor.y});
        b.Translate({p.x - b.points[k].anchor.x, p.y - b.points[k].anchor.y});
        b.RotateStart(static_cast<int>(k));
        // Each blob's own handles at P: the path swaps from one to the other there.
        TCvLine both = a;
        both.points.front().inHandle = b.points.front().inHandle;
        TCvPoint swap = b.points.front();
        swap.inHandle = a.points.front().inHandle;
        both.points.push_back(swap);
        both.points.insert(both.points.end(), b.points.begin() + 1, b.points.end());
        // The union of the two, held against the winding counted independently.
        const double expected = area(run(Op::Union, a, b));
        const TCvLine one[] = {both};
        ASSERT_NEAR(shapes::nonzeroArea(one, 1000), expected, 1e-3 * expected) << "case " << i;
        for (int start : {0, static_cast<int>(a.points.size()), static_cast<int>(rng() % 16)}) {
            TCvLine rotated = both;
            rotated.RotateStart(start);
            const TCvLine r[] = {rotated};
            ASSERT_NEAR(area(UnionNonzero(r)), expected, 1e-9 * expected)
                << "case " << i << " start " << start;
        }
    }
    // The logo's outline cut down to the three anchors that still lost area: a sliver whose
    // long side leaves the start nearly along the closing line and crosses it.
    TCvLine sliver;
    sliver.closed = 1;
    const auto at = [](double x, double y) { return TCvCoord{x / 100, -y / 100}; };
    sliver.points = {
        TCvPoint(at(14.621, 8.935), at(14.621, 8.935), at(14.398334434961555, 8.945076207968327)),
        TCvPoint(at(2.647, 2.32), at(2.647, 2.32), at(2.3819082588095513, 2.2416062141759823)),
        TCvPoint(at(1.831, 2.195), at(2.1074027174258756, 2.19955573295912), at(1.831, 2.195))};
    const TCvLine one[] = {sliver};
    const double expected = shapes::nonzeroArea(one);
    EXPECT_NEAR(area(UnionNonzero(one)), expected, 1e-4 * expected);
}

// The way a path runs does not change its region: clockwise circles, as an SVG file's y-down
// circles arrive, once gave the intersection graph crossings it could not read.
TEST(BooleanOp, ClockwiseOperandsGiveTheSameRegions) {
    const TCvLine a = circle(40, 40, 25), b = circle(60, 40, 25);
    TCvLine ra = a, rb = b;
    ra.Reverse();
    rb.Reverse();
    for (Op op : {Op::Union, Op::Difference, Op::Intersection, Op::Exclusion, Op::Division}) {
        SCOPED_TRACE(static_cast<int>(op));
        const double expected = area(run(op, a, b));
        const auto both = run(op, ra, rb), one = run(op, ra, b);
        EXPECT_EQ(both.size(), run(op, a, b).size());
        EXPECT_NEAR(area(both), expected, 1e-9 * expected);
        EXPECT_NEAR(area(one), expected, 1e-9 * expected);
    }
}

// Degenerate curves: cubics lying along a line (here along y = 0, overshooting their end), a
// tangency at an anchor, and the fuzzer's first find. lib2geom's root finder recursed on
// these until the stack ran out.
TEST(BooleanOp, DegenerateCubicsEndInSoundResults) {
    const auto at = [](double x, double y) { return TCvCoord{x, y}; };
    const auto closedAndFinite = [](const std::vector<TCvLine>& result) {
        for (const TCvLine& l : result) {
            EXPECT_TRUE(l.closed);
            EXPECT_FALSE(l.points.empty());
            for (const TCvPoint& p : l.points)
                EXPECT_TRUE(std::isfinite(p.anchor.x + p.anchor.y + p.inHandle.x + p.inHandle.y +
                                          p.outHandle.x + p.outHandle.y));
        }
    };
    TCvLine found;
    found.closed = 1;
    found.points = {TCvPoint(at(0, 0), at(0, 0), at(0, 0)), TCvPoint(at(1, 0), at(1, 0), at(1, 0)),
                    TCvPoint(at(0, 0.5), at(0, -15.250000000001), at(0, -31.000000000002)),
                    TCvPoint(at(1, 1), at(1, 1), at(1, 1)),
                    TCvPoint(at(2, 2), at(0, 0), at(-2, -2))};
    const TCvLine dot = rect(1, 2, 1, 2);
    const TCvLine pair[] = {found, dot};
    for (Op op : {Op::Union, Op::Difference, Op::Intersection, Op::Exclusion, Op::Division})
        closedAndFinite(CombinePaths(op, pair));
    closedAndFinite(CombinePaths(Op::Union, std::span(pair).first(1)));

    // Along y = 0 from (0, 0) past (2, 0) and back: only the square's own bottom edge bounds.
    TCvLine along = rect(0, 0, 2, 2);
    along.points[0].outHandle = at(3, 0);
    along.points[1].inHandle = at(-1, 0);
    const TCvLine box = rect(1, -1, 3, 1);
    const double u = 4 + 4 - 1;
    EXPECT_NEAR(area(run(Op::Union, along, box)), u, 1e-9);
    EXPECT_NEAR(area(run(Op::Intersection, along, box)), 1, 1e-9);
    EXPECT_NEAR(area(run(Op::Difference, along, box)), 3, 1e-9);
    EXPECT_NEAR(area(run(Op::Exclusion, along, box)), 6, 1e-9);
    EXPECT_NEAR(area(run(Op::Division, along, box)), 4, 1e-9);

    // The top edge leaves its anchor along y = 2, the level of the other square's corner.
    TCvLine flatTop = rect(0, 0, 2, 2);
    flatTop.points[2].outHandle = at(1.5, 2);
    flatTop.points[3].inHandle = at(0.5, 2.5);
    const TCvLine corner = rect(-1, 1, 1, 2);
    for (Op op : {Op::Union, Op::Difference, Op::Intersection, Op::Exclusion, Op::Division})
        expectSound(run(op, flatTop, corner), flatTop, corner, 4);
    const double top = signedArea(flatTop);
    EXPECT_NEAR(area(run(Op::Union, flatTop, corner)), top + 1, 1e-9);
    EXPECT_NEAR(area(run(Op::Intersection, flatTop, corner)), 1, 1e-9);
}

// A text outline of over 5,000 anchors against a rectangle across its middle: every glyph is
// cut, and the exact areas of the five still tie together.
TEST(BooleanOp, ALongTextOutlineAgainstARectangle) {
    const FontFace face(plumex::testing::DejaVuSans);
    std::vector<TCvLine> text;
    std::string words = "Quick brown foxes jump over lazy dogs; 0123456789 & @%$#?! ";
    while (true) {
        text = TextToPaths(face, words, {1, true, {0, 0}});
        std::size_t anchors = 0;
        for (const TCvLine& l : text) anchors += l.points.size();
        // Under the sanitizers a shorter line: the long one takes minutes there.
        if (anchors >= (kSanitized ? 1500u : 5000u)) break;
        words += words;
    }
    double right = 0;
    for (const TCvLine& l : text)
        for (const TCvPoint& p : l.points) right = std::max(right, p.anchor.x);
    const TCvLine band[] = {rect(-1, 0.2, right + 1, 0.5)};
    double at = 0; // the glyphs run clockwise
    for (const TCvLine& l : text) at += std::abs(signedArea(l));
    const double ab = signedArea(band[0]);
    const auto x = BooleanOp(Op::Intersection, text, band);
    const auto u = BooleanOp(Op::Union, text, band);
    const auto d = BooleanOp(Op::Difference, text, band);
    const double ax = area(x);
    EXPECT_GT(ax, 0.1 * at);
    EXPECT_NEAR(area(u), at + ab - ax, 1e-9 * (at + ab));
    EXPECT_NEAR(area(d), at - ax, 1e-9 * (at + ab));
    if (!kSanitized) {
        EXPECT_NEAR(area(BooleanOp(Op::Exclusion, text, band)), at + ab - 2 * ax, 1e-9 * (at + ab));
        EXPECT_NEAR(area(BooleanOp(Op::Division, text, band)), at, 1e-9 * (at + ab));
    }
    for (const TCvLine& l : x) EXPECT_TRUE(l.closed);
}

// The pruned crossing search against the exhaustive one on random elements: smooth blobs whose
// handles grow until they loop, wobbly many-anchor loops like an icon's, corners on a coarse
// grid (shared anchors, collinear edges, retracted handles) and cusps; alone, nested or
// overlapping, either way round. Both answers must be the same and both must occur.
TEST(BooleanOp, PrunedCrossingSearchAgreesWithTheExhaustiveOne) {
    const int cases = kSanitized ? 300 : 3000;
    std::mt19937_64 rng(2026);
    std::uniform_real_distribution<double> u(0, 1);
    const auto grid = [&](int n) {
        TCvLine l;
        l.closed = 1;
        for (int i = 0; i < n; ++i) {
            const auto at = [&] { return TCvCoord{double(rng() % 5), double(rng() % 5)}; };
            const TCvCoord a = at();
            // Retracted, along a grid line, or anywhere on the grid.
            const int kind = static_cast<int>(rng() % 3);
            const TCvCoord in = kind == 0 ? a : kind == 1 ? TCvCoord{a.x, a.y + 1} : at();
            const TCvCoord out = kind == 0 ? a : kind == 1 ? TCvCoord{a.x, a.y - 1} : at();
            l.points.emplace_back(a, in, out);
        }
        return l;
    };
    const auto wobbly = [&](double cx, double cy) {
        TCvLine l;
        l.closed = 1;
        const int n = 20 + static_cast<int>(rng() % 80);
        const double wobble = 0.6 * u(rng), reach = 0.05 + 0.4 * u(rng);
        for (int i = 0; i < n; ++i) {
            const double a = 2 * M_PI * i / n, r = 4 + wobble * (2 * u(rng) - 1);
            const TCvCoord p{cx + r * std::cos(a), cy + r * std::sin(a)};
            const TCvCoord t{-std::sin(a) * reach, std::cos(a) * reach};
            l.points.emplace_back(p, TCvCoord{p.x - t.x, p.y - t.y},
                                  TCvCoord{p.x + t.x, p.y + t.y});
        }
        return l;
    };
    int agreeTrue = 0, agreeFalse = 0;
    for (int i = 0; i < cases; ++i) {
        std::vector<TCvLine> element;
        const int count = 1 + static_cast<int>(rng() % 3);
        for (int k = 0; k < count; ++k) {
            TCvLine l;
            switch (rng() % 4) {
            case 0: {
                l = shapes::blob(rng, 8 * u(rng), 8 * u(rng), 1 + 4 * u(rng));
                const double grow = 0.5 + 3 * u(rng);
                for (TCvPoint& p : l.points) {
                    p.inHandle = {p.anchor.x + grow * (p.inHandle.x - p.anchor.x),
                                  p.anchor.y + grow * (p.inHandle.y - p.anchor.y)};
                    p.outHandle = {p.anchor.x + grow * (p.outHandle.x - p.anchor.x),
                                   p.anchor.y + grow * (p.outHandle.y - p.anchor.y)};
                }
                break;
            }
            case 1:
                l = wobbly(8 * u(rng), 8 * u(rng));
                break;
            case 2:
                l = grid(1 + static_cast<int>(rng() % 6));
                break;
            default: {
                // A cusp: one anchor's handles point the same way.
                l = shapes::blob(rng, 8 * u(rng), 8 * u(rng), 2);
                TCvPoint& p = l.points[rng() % l.points.size()];
                p.inHandle = p.outHandle;
                break;
            }
            }
            if (rng() % 2) l.Reverse();
            for (TCvPoint& p : l.points) p.updateIndependent();
            element.push_back(std::move(l));
        }
        const bool pruned = NonzeroFillsAsEvenOdd(element, CrossingSearch::Pruned);
        ASSERT_EQ(pruned, NonzeroFillsAsEvenOdd(element, CrossingSearch::Exhaustive))
            << "element " << i;
        ++(pruned ? agreeTrue : agreeFalse);
    }
    EXPECT_GT(agreeTrue, cases / 10);
    EXPECT_GT(agreeFalse, cases / 10);
}
