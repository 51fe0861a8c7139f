// Converted glyphs checked against FreeType's own walk of the same outline.

#include "text/GlyphOutline.h"
#include "Fonts.h"
#include "testing.h"
#include "text/FontFace.h"

#include FT_OUTLINE_H

#include <cmath>
#include <vector>

using namespace plumex;
using plumex::testing::CantarellRegular;
using plumex::testing::DejaVuSans;

namespace {

// One piece of FreeType's decomposition: a line (2 points), a conic (3) or a cubic (4).
struct Piece {
    std::vector<TCvCoord> p;
};
using Contour = std::vector<Piece>;

struct Walk {
    std::vector<Contour> contours;
    TCvCoord at;
    double scale;
    TCvCoord map(const FT_Vector* v) const { return {v->x * scale, v->y * scale}; }
};

int moveTo(const FT_Vector* to, void* user) {
    auto* w = static_cast<Walk*>(user);
    w->contours.emplace_back();
    w->at = w->map(to);
    return 0;
}
int lineTo(const FT_Vector* to, void* user) {
    auto* w = static_cast<Walk*>(user);
    const TCvCoord e = w->map(to);
    if (!equal(e, w->at)) w->contours.back().push_back({{w->at, e}});
    w->at = e;
    return 0;
}
int conicTo(const FT_Vector* c, const FT_Vector* to, void* user) {
    auto* w = static_cast<Walk*>(user);
    const TCvCoord e = w->map(to);
    w->contours.back().push_back({{w->at, w->map(c), e}});
    w->at = e;
    return 0;
}
int cubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
    auto* w = static_cast<Walk*>(user);
    const TCvCoord e = w->map(to);
    w->contours.back().push_back({{w->at, w->map(c1), w->map(c2), e}});
    w->at = e;
    return 0;
}

// FreeType halves conic midpoints in integers; doubling every coordinate first keeps its
// implied on-curve points exact, and the walk halves them again.
std::vector<Contour> decompose(FT_Outline& outline, double scale) {
    for (int i = 0; i < outline.n_points; ++i) {
        outline.points[i].x *= 2;
        outline.points[i].y *= 2;
    }
    Walk w;
    w.scale = scale / 2;
    const FT_Outline_Funcs funcs{moveTo, lineTo, conicTo, cubicTo, 0, 0};
    EXPECT_EQ(FT_Outline_Decompose(&outline, &funcs, &w), 0);
    for (int i = 0; i < outline.n_points; ++i) {
        outline.points[i].x /= 2;
        outline.points[i].y /= 2;
    }
    return w.contours;
}

TCvCoord bezier(const std::vector<TCvCoord>& p, double t) {
    std::vector<TCvCoord> q = p;
    for (std::size_t n = q.size(); n > 1; --n)
        for (std::size_t i = 0; i + 1 < n; ++i) q[i] = lerp(q[i], q[i + 1], t);
    return q[0];
}

double distanceToLine(TCvCoord p, TCvCoord a, TCvCoord b) {
    const TCvCoord d = subtract(b, a);
    const double t =
        std::clamp(((p.x - a.x) * d.x + (p.y - a.y) * d.y) / (d.x * d.x + d.y * d.y), 0.0, 1.0);
    return distance(p, lerp(a, b, t));
}

// Every segment of `path` against the matching piece: curves agree at 100 parameters, a line
// segment stays on the line (its handles are retracted, so its parameter runs unevenly).
void expectSameOutline(const TCvLine& path, const Contour& ref, char code) {
    ASSERT_TRUE(path.closed);
    ASSERT_EQ(path.segmentCount(), static_cast<int>(ref.size())) << "character " << code;
    for (int i = 0; i < path.segmentCount(); ++i) {
        const Segment s = path.segment(i);
        const std::vector<TCvCoord> cubic{s.a, s.h1, s.h2, s.b};
        const std::vector<TCvCoord>& r = ref[static_cast<std::size_t>(i)].p;
        ASSERT_TRUE(plumex::testing::coordNear(s.a, r.front(), 1e-9)) << code << " segment " << i;
        ASSERT_TRUE(plumex::testing::coordNear(s.b, r.back(), 1e-9)) << code << " segment " << i;
        for (int k = 0; k <= 100; ++k) {
            const double t = k / 100.0;
            if (r.size() == 2)
                ASSERT_LE(distanceToLine(bezier(cubic, t), r[0], r[1]), 1e-9) << code;
            else
                ASSERT_TRUE(plumex::testing::coordNear(bezier(cubic, t), bezier(r, t), 1e-9))
                    << code << " segment " << i << " t " << t;
        }
    }
}

void checkPrintableAscii(const std::string& file, bool expectCubic) {
    const FontFace face(file);
    bool sawCubic = false;
    int glyphs = 0;
    for (char c = 33; c < 127; ++c) {
        const unsigned gi = FT_Get_Char_Index(face.face(), static_cast<FT_ULong>(c));
        ASSERT_NE(gi, 0u) << c;
        ASSERT_EQ(FT_Load_Glyph(face.face(), gi, FT_LOAD_NO_SCALE), 0);
        FT_Outline& outline = face.face()->glyph->outline;
        const std::vector<TCvLine> paths = OutlineToPaths(outline, face.unitScale());
        std::vector<Contour> ref = decompose(outline, face.unitScale());
        // A one-point contour (DejaVu's "u" has one) walks to nothing.
        std::erase_if(ref, [](const Contour& r) { return r.empty(); });
        ASSERT_EQ(paths.size(), ref.size()) << "character " << c;
        for (std::size_t i = 0; i < paths.size(); ++i) {
            expectSameOutline(paths[i], ref[i], c);
            for (const Piece& piece : ref[i]) sawCubic = sawCubic || piece.p.size() == 4;
        }
        ++glyphs;
    }
    EXPECT_EQ(glyphs, 94);
    EXPECT_EQ(sawCubic, expectCubic);
}

} // namespace

TEST(GlyphOutline, QuadraticGlyphsDrawFreeTypesOutlineExactly) {
    checkPrintableAscii(DejaVuSans, false);
}

TEST(GlyphOutline, CubicGlyphsKeepTheirCurves) {
    checkPrintableAscii(CantarellRegular, true);
}

TEST(GlyphOutline, OutlinesAreInPixelsOfA100PointFontYUp) {
    const FontFace face(DejaVuSans);
    ASSERT_EQ(FT_Load_Glyph(face.face(), FT_Get_Char_Index(face.face(), 'H'), FT_LOAD_NO_SCALE), 0);
    const std::vector<TCvLine> paths =
        OutlineToPaths(face.face()->glyph->outline, face.unitScale());
    ASSERT_EQ(paths.size(), 1u);
    const TCvRect r = paths[0].GetBounds();
    // DejaVu's cap height is 1493 of 2048 units; 133.33 pixels per em at 100 points, 96 dpi.
    EXPECT_NEAR(r.top, 1493.0 * (400.0 / 3.0) / 2048.0, 1e-9);
    EXPECT_NEAR(r.bottom, 0.0, 1e-9);
}

namespace {

// A hand-made outline: contours given as points with tags.
struct HandOutline {
    std::vector<FT_Vector> points;
    std::vector<char> tags;
    std::vector<short> ends;
    void contour(std::initializer_list<std::tuple<long, long, char>> pts) {
        for (auto [x, y, tag] : pts) {
            points.push_back({x, y});
            tags.push_back(tag);
        }
        ends.push_back(static_cast<short>(points.size() - 1));
    }
    FT_Outline outline() {
        FT_Outline o{};
        o.n_contours = static_cast<decltype(o.n_contours)>(ends.size());
        o.n_points = static_cast<decltype(o.n_points)>(points.size());
        o.points = points.data();
        o.tags = tags.data();
        o.contours = reinterpret_cast<decltype(o.contours)>(ends.data());
        return o;
    }
};

constexpr char On = FT_CURVE_TAG_ON;
constexpr char Conic = FT_CURVE_TAG_CONIC;

} // namespace

TEST(GlyphOutline, ContoursWithoutAreaAreDropped) {
    HandOutline h;
    h.contour({{5, 5, On}});                                        // one point
    h.contour({{0, 0, On}, {10, 10, Conic}, {20, 20, On}});         // all on one line
    h.contour({{0, 0, On}, {0, 0, On}});                            // one point twice
    h.contour({{0, 0, On}, {10, 0, On}, {10, 10, On}, {0, 0, On}}); // triangle, start repeated
    FT_Outline o = h.outline();
    const std::vector<TCvLine> paths = OutlineToPaths(o, 1.0);
    ASSERT_EQ(paths.size(), 1u);
    EXPECT_EQ(paths[0], plumex::testing::polyline({{0, 0}, {10, 0}, {10, 10}}, true));
}

TEST(GlyphOutline, ContourOfOnlyConicPointsStartsAtAnImpliedPoint) {
    // A diamond of four off-curve points: the on-curve points are the edge midpoints.
    HandOutline h;
    h.contour({{10, 0, Conic}, {0, 10, Conic}, {-10, 0, Conic}, {0, -10, Conic}});
    FT_Outline o = h.outline();
    const std::vector<TCvLine> paths = OutlineToPaths(o, 1.0);
    ASSERT_EQ(paths.size(), 1u);
    const TCvLine& p = paths[0];
    ASSERT_EQ(p.count(), 4);
    EXPECT_EQ(p.points[0].anchor, (TCvCoord{5, -5}));
    EXPECT_EQ(p.points[1].anchor, (TCvCoord{5, 5}));
    // Handles two thirds of the way to the control point (10, 0).
    EXPECT_TRUE(plumex::testing::coordNear(p.points[0].outHandle,
                                           {5 + 5 * 2 / 3.0, -5 + 5 * 2 / 3.0}, 1e-12));
    EXPECT_TRUE(plumex::testing::coordNear(p.points[0].inHandle,
                                           {5 - 5 * 2 / 3.0, -5 - 5 * 2 / 3.0}, 1e-12));
    EXPECT_EQ(p.points[0].independent, 0); // a smooth joint
}

TEST(GlyphOutline, MalformedTagsAndContourEndsAreRefusedNotRead) {
    HandOutline h;
    h.contour({{0, 0, FT_CURVE_TAG_CUBIC}, {10, 0, On}, {10, 10, On}}); // starts off a cubic
    h.contour({{0, 0, On}, {10, 0, FT_CURVE_TAG_CUBIC}, {10, 10, On}}); // lone cubic control
    FT_Outline o = h.outline();
    EXPECT_TRUE(OutlineToPaths(o, 1.0).empty());
    h.ends.back() = 99; // past the points
    o = h.outline();
    EXPECT_TRUE(OutlineToPaths(o, 1.0).empty());
}
