#include "raster/EvenOddRasterizer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace plumex {
namespace {

// Outlines as point lists in sample space; a closed one joins its last point to its first.
struct Poly {
    std::vector<std::pair<double, double>> points;
    bool closed = true;
};

class Polys : public OutlineSource {
public:
    std::vector<Poly> polys;

    std::size_t outlineCount() const override { return polys.size(); }
    void outlineRows(std::size_t i, double& top, double& bottom) const override {
        top = std::numeric_limits<double>::infinity();
        bottom = -top;
        for (const auto& [x, y] : polys[i].points) {
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    bool flattenOutline(std::size_t i, std::vector<RasterEdge>& out) const override {
        const auto& p = polys[i].points;
        for (std::size_t k = 0; k + 1 < p.size(); ++k)
            out.push_back({p[k].first, p[k].second, p[k + 1].first, p[k + 1].second});
        if (polys[i].closed && p.size() > 2)
            out.push_back({p.back().first, p.back().second, p[0].first, p[0].second});
        return polys[i].closed;
    }
};

Poly rect(double x0, double y0, double x1, double y1) {
    return {{{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}};
}

std::vector<std::vector<int>> render(const Polys& s, int w, int h, int factor) {
    std::vector<std::vector<int>> rows;
    EXPECT_TRUE(rasterizeEvenOdd(s, w, h, factor, [&](std::int64_t y, auto row) {
        EXPECT_EQ(y, static_cast<std::int64_t>(rows.size()));
        rows.emplace_back(row.begin(), row.end());
        return true;
    }));
    return rows;
}

TEST(EvenOddRasterizer, CountsSamplesPerPixel) {
    Polys s;
    // Pixel 0 fully covered, pixel 1 covered on its left half, pixel 2 on its top quarter.
    s.polys = {rect(0, 0, 12, 8), rect(16, 0, 24, 2)};
    const auto rows = render(s, 4, 1, 8);
    EXPECT_EQ(rows[0], (std::vector<int>{0, 128, 192, 255}));
}

TEST(EvenOddRasterizer, HolesWithinOneOutlineUnionAcrossOutlines) {
    Polys s;
    // One outline of two nested squares: the inner one is a hole.
    Poly ring = rect(0, 0, 6, 6);
    ring.points.insert(ring.points.end(), {{0, 0}, {2, 2}, {2, 4}, {4, 4}, {4, 2}, {2, 2}, {0, 0}});
    s.polys = {ring};
    auto rows = render(s, 6, 6, 1);
    EXPECT_EQ(rows[3], (std::vector<int>{0, 0, 255, 255, 0, 0}));
    EXPECT_EQ(rows[0], (std::vector<int>(6, 0)));

    // Two outlines overlapping: the overlap stays black.
    s.polys = {rect(0, 0, 4, 2), rect(2, 0, 6, 2)};
    rows = render(s, 6, 2, 1);
    EXPECT_EQ(rows[1], (std::vector<int>(6, 0)));
}

TEST(EvenOddRasterizer, OpenOutlinesAreOneSampleWide) {
    Polys s;
    s.polys = {{{{0.5, 3.5}, {40, 3.5}}, false}, {{{20.5, 0}, {20.5, 16}}, false}};
    const auto rows = render(s, 5, 2, 8);
    // One sample row of eight per pixel: 56 white samples, 224. Where the two lines cross,
    // the vertical one darkens its column in all eight rows.
    EXPECT_EQ(rows[0], (std::vector<int>{224, 224, 196, 224, 224}));
    EXPECT_EQ(rows[1], (std::vector<int>{255, 255, 224, 255, 255}));
    // A closed outline of two points encloses nothing.
    s.polys = {{{{0, 0}, {40, 16}}, true}};
    EXPECT_EQ(render(s, 5, 2, 8)[0], (std::vector<int>(5, 255)));
}

TEST(EvenOddRasterizer, SurvivesHugeTinyAndMissingNumbers) {
    const double nan = std::nan(""), inf = std::numeric_limits<double>::infinity();
    Polys s;
    s.polys = {rect(-1e300, -1e300, 1e300, 1e300),
               {{{nan, 0}, {3, 3}, {0, 3}}},
               {{{-inf, 1}, {inf, 1}, {0, inf}}},
               rect(1e-300, 0, 2e-300, 8),
               rect(2, 2, 2, 2),
               {{{0, 0}, {1e18, 5}}, false}};
    const auto rows = render(s, 3, 3, 8);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1], (std::vector<int>(3, 0))); // the huge square covers everything
}

TEST(EvenOddRasterizer, StopsWhenAsked) {
    Polys s;
    s.polys = {rect(0, 0, 8, 8)};
    int calls = 0;
    EXPECT_FALSE(rasterizeEvenOdd(s, 4, 10, 1, [&](std::int64_t, auto) { return ++calls < 3; }));
    EXPECT_EQ(calls, 3);
}

// Outlines that start far below the first row are only flattened when the band reaches them.
TEST(EvenOddRasterizer, FlattensOutlinesWhenTheBandReachesThem) {
    class Counting : public Polys {
    public:
        mutable std::size_t flattened = 0;
        bool flattenOutline(std::size_t i, std::vector<RasterEdge>& out) const override {
            ++flattened;
            return Polys::flattenOutline(i, out);
        }
    };
    Counting s;
    for (int k = 0; k < 10; ++k) s.polys.push_back(rect(0, 10.0 * k, 4, 10.0 * k + 5));
    int seen = 0;
    rasterizeEvenOdd(s, 4, 100, 1, [&](std::int64_t y, auto) {
        // One row early: a level line on the first boundary belongs to the row before it.
        EXPECT_LE(s.flattened, static_cast<std::size_t>((y + 1) / 10 + 1)) << y;
        return ++seen > 0;
    });
    EXPECT_EQ(s.flattened, 10u);
}

} // namespace
} // namespace plumex
