// Paths written as SVG and read back are the same paths: no re-fitting, no drift.

#include "export/SvgExport.h"
#include "svg/SvgImport.h"

#include "testing.h"

#include <random>
#include <string>

namespace plumex {
namespace {

TCvLine randomPath(std::mt19937_64& rng) {
    std::uniform_real_distribution<double> coord(-50, 50);
    std::uniform_int_distribution<int> count(1, 7), kind(0, 3);
    TCvLine line;
    const int n = count(rng);
    for (int i = 0; i < n; ++i) {
        const TCvCoord a{coord(rng), coord(rng)};
        TCvPoint p(a, a, a);
        // Mixed retracted and pulled handles, so straight and curved segments both occur.
        if (kind(rng) != 0) p.inHandle = {coord(rng), coord(rng)};
        if (kind(rng) != 0) p.outHandle = {coord(rng), coord(rng)};
        if (kind(rng) == 0) p.outHandle = {2 * a.x - p.inHandle.x, 2 * a.y - p.inHandle.y};
        p.updateIndependent();
        line.points.push_back(p);
    }
    // Now and then a closed path ends on an anchor equal to its first one.
    if (n > 2 && kind(rng) == 0) line.points.back().anchor = line.points.front().anchor;
    line.closed = kind(rng) < 2 ? 1 : 0;
    return line;
}

// Same segments within tol: the anchors and every handle that takes part in a segment (an
// open path's outer handles draw nothing and have no place in SVG).
void expectSameSegments(const TCvLine& a, const TCvLine& b, double tol) {
    ASSERT_EQ(a.closed, b.closed);
    ASSERT_EQ(a.segmentCount(), b.segmentCount());
    ASSERT_EQ(a.count(), b.count());
    for (int i = 0; i < a.segmentCount(); ++i) {
        const Segment s = a.segment(i), t = b.segment(i);
        EXPECT_TRUE(testing::coordNear(s.a, t.a, tol)) << "segment " << i;
        EXPECT_TRUE(testing::coordNear(s.h1, t.h1, tol)) << "segment " << i;
        EXPECT_TRUE(testing::coordNear(s.h2, t.h2, tol)) << "segment " << i;
        EXPECT_TRUE(testing::coordNear(s.b, t.b, tol)) << "segment " << i;
    }
    if (a.count() == 1) {
        EXPECT_TRUE(testing::coordNear(a.points[0].anchor, b.points[0].anchor, tol));
    }
}

TEST(SvgRoundTrip, RandomDrawingsComeBackWithin1e9) {
    std::mt19937_64 rng(20);
    for (int drawing = 0; drawing < 200; ++drawing) {
        std::vector<TCvLine> paths(std::uniform_int_distribution<int>(1, 6)(rng));
        for (TCvLine& p : paths) p = randomPath(rng);
        const std::string text = SvgExportText(paths);
        // Holes stay off: a random closed path inside another would be merged by design.
        const auto back =
            ImportSvg({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()},
                      {.makeHoles = false});
        ASSERT_EQ(back.size(), paths.size()) << text;
        for (std::size_t i = 0; i < paths.size(); ++i) {
            SCOPED_TRACE("drawing " + std::to_string(drawing) + " path " + std::to_string(i));
            expectSameSegments(paths[i], back[i], 1e-9);
            EXPECT_TRUE(back[i].selected);
        }
    }
}

TEST(SvgRoundTrip, AHoleMadeByMakeHoleStaysOnePathAndHolesMergeOnImport) {
    // The letter O: an outer and an inner square, written as two paths, come back as one path
    // with its hole when they arrive in one even-odd element, and as written otherwise.
    const TCvLine outer = testing::polyline({{0, 0}, {3, 0}, {3, 3}, {0, 3}}, true);
    const TCvLine inner = testing::polyline({{1, 1}, {2, 1}, {2, 2}, {1, 2}}, true);
    const std::string d = SvgPathData(outer) + " " + SvgPathData(inner);
    const std::string text =
        "<svg xmlns=\"http://www.w3.org/2000/svg\"><path fill-rule=\"evenodd\" d=\"" + d +
        "\"/></svg>";
    const std::span<const std::uint8_t> bytes{reinterpret_cast<const std::uint8_t*>(text.data()),
                                              text.size()};
    const auto merged = ImportSvg(bytes);
    ASSERT_EQ(merged.size(), 1u);
    TCvLine expected = outer;
    expected.MergeHole(inner);
    expectSameSegments(expected, merged[0], 1e-12);

    const std::string again = SvgExportText(merged);
    const auto back =
        ImportSvg({reinterpret_cast<const std::uint8_t*>(again.data()), again.size()});
    ASSERT_EQ(back.size(), 1u);
    expectSameSegments(merged[0], back[0], 1e-12);
}

} // namespace
} // namespace plumex
