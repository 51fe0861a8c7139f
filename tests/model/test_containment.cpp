#include "model/Containment.h"
#include "testing.h"

#include <cmath>
#include <random>

using namespace plumex;
using plumex::testing::polyline;

namespace {

struct Polygon {
    std::vector<TCvCoord> v;
};

Polygon flatten(const TCvLine& line, int steps) {
    Polygon poly;
    for (int i = 0; i < line.segmentCount(); ++i)
        for (int k = 0; k < steps; ++k)
            poly.v.push_back(evaluate(line.segment(i), double(k) / steps));
    return poly;
}

bool evenOdd(const Polygon& poly, TCvCoord p) {
    bool inside = false;
    const std::size_t n = poly.v.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const TCvCoord a = poly.v[i], b = poly.v[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

double distanceTo(const Polygon& poly, TCvCoord p) {
    double best = INFINITY;
    const std::size_t n = poly.v.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const TCvCoord a = poly.v[j], d = subtract(poly.v[i], a);
        const double len2 = d.x * d.x + d.y * d.y;
        double t = len2 > 0 ? ((p.x - a.x) * d.x + (p.y - a.y) * d.y) / len2 : 0;
        t = std::clamp(t, 0.0, 1.0);
        best = std::min(best, distance(p, add(a, scale(d, t))));
    }
    return best;
}

TCvLine randomBlob(std::mt19937& rng) {
    // A star-shaped closed curve around the origin with random bulging handles.
    std::uniform_real_distribution<double> r(2, 10), jitter(-3, 3);
    const int n = 3 + rng() % 4;
    TCvLine line;
    for (int i = 0; i < n; ++i) {
        const double a = 2 * M_PI * i / n;
        const TCvCoord p{r(rng) * std::cos(a), r(rng) * std::sin(a)};
        const TCvCoord h{jitter(rng), jitter(rng)};
        line.points.emplace_back(p, subtract(p, h), add(p, h));
    }
    line.closed = 1;
    return line;
}

} // namespace

TEST(PointInOutline, SquareInsideOutsideAndAnchors) {
    const TCvLine sq = polyline({{0, 0}, {4, 0}, {4, 4}, {0, 4}}, true);
    const TCvRect r = sq.GetBounds();
    EXPECT_EQ(pointInOutline(sq, {1, 2}, r), 1);
    EXPECT_EQ(pointInOutline(sq, {3.9, 0.1}, r), 1);
    EXPECT_EQ(pointInOutline(sq, {5, 2}, r), -1);
    EXPECT_EQ(pointInOutline(sq, {4, 4}, r), 0);
    EXPECT_EQ(pointInOutline(sq, {0, 2}, r), 1); // on the outline
    EXPECT_EQ(pointInOutline(sq, {2, 0}, r), 1);
    // A ray that runs through an anchor of a diamond crosses once.
    const TCvLine diamond = polyline({{0, 2}, {2, 0}, {4, 2}, {2, 4}}, true);
    EXPECT_EQ(pointInOutline(diamond, {2, 2}, diamond.GetBounds()), 1);
    EXPECT_EQ(pointInOutline(diamond, {0.5, 0.5}, diamond.GetBounds()), -1);
    EXPECT_EQ(pointInOutline(TCvLine(), {0, 0}, TCvRect()), -1);
}

TEST(PointInOutline, AgreesWithEvenOddOnAFlattenedOutline) {
    std::mt19937 rng(17);
    std::uniform_real_distribution<double> d(-12, 12);
    for (int shape = 0; shape < 300; ++shape) {
        const TCvLine blob = randomBlob(rng);
        const TCvRect r = blob.GetBounds();
        const Polygon poly = flatten(blob, 4000);
        for (int k = 0; k < 12; ++k) {
            const TCvCoord p{d(rng), d(rng)};
            const bool expected = evenOdd(poly, p) && contains(r, p);
            // Only a disagreement pays for the distance: points hugging the outline are moot.
            if ((pointInOutline(blob, p, r) == 1) != expected) {
                ASSERT_LT(distanceTo(poly, p), 1e-6)
                    << "shape " << shape << " point " << p.x << ", " << p.y;
            }
        }
    }
}

TEST(OutlineInside, RingsAndDegenerateCases) {
    const TCvLine big = polyline({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true);
    const TCvLine small = polyline({{2, 2}, {4, 2}, {4, 4}, {2, 4}}, true);
    EXPECT_TRUE(outlineInside(big, small));
    EXPECT_FALSE(outlineInside(small, big));
    EXPECT_FALSE(outlineInside(big, big)); // never inside itself
    TCvLine open = small;
    open.closed = 0;
    EXPECT_FALSE(outlineInside(big, open));
    EXPECT_FALSE(outlineInside(big, TCvLine()));
    // Sharing every anchor with the outer: decided by the midpoints of its segments.
    TCvLine triangle = polyline({{0, 0}, {10, 10}, {0, 10}}, true);
    triangle.SelectAll(true);
    EXPECT_TRUE(outlineInside(big, triangle));
    // A crossing outline is not inside.
    const TCvLine crossing = polyline({{5, 5}, {15, 5}, {15, 6}}, true);
    EXPECT_FALSE(outlineInside(big, crossing));
}
