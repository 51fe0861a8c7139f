// The mesh export against its own definition: closed, consistently oriented, no degenerate
// triangle, and the volume the curves bound (Gauss quadrature of the exact cubics), over many
// random drawings; the STL and the OBJ of a drawing hold the same triangles.

#include "export/MeshExport.h"

#include "../app/TempDir.h"
#include "model/FileBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <random>
#include <sstream>

namespace plumex {
namespace {

using Vec = std::array<double, 3>;

// An OBJ reader of our own: vertices and triangles, indices checked.
struct ObjMesh {
    std::vector<Vec> v;
    std::vector<std::array<std::size_t, 3>> f;
};

ObjMesh readObj(const std::string& text) {
    ObjMesh m;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string kind;
        words >> kind;
        if (kind == "v") {
            // The numbers are floats: read as floats, they are the STL's numbers exactly.
            float x = 0, y = 0, z = 0;
            words >> x >> y >> z;
            EXPECT_FALSE(words.fail()) << line;
            m.v.push_back({x, y, z});
        } else if (kind == "f") {
            std::array<std::size_t, 3> t{};
            words >> t[0] >> t[1] >> t[2];
            std::string more;
            EXPECT_FALSE(words.fail() || (words >> more)) << line;
            for (std::size_t& i : t) {
                EXPECT_TRUE(i >= 1 && i <= m.v.size()) << line;
                i = std::clamp<std::size_t>(i, 1, m.v.size()) - 1;
            }
            m.f.push_back(t);
        }
    }
    return m;
}

std::vector<std::array<Vec, 3>> readStl(const std::string& bytes) {
    std::vector<std::array<Vec, 3>> out;
    if (bytes.size() < 84) return out;
    std::uint32_t n = 0;
    std::memcpy(&n, bytes.data() + 80, 4);
    EXPECT_EQ(bytes.size(), 84 + 50 * std::size_t{n});
    for (std::size_t i = 0; i < n && 84 + 50 * (i + 1) <= bytes.size(); ++i) {
        float f[12];
        std::memcpy(f, bytes.data() + 84 + 50 * i, sizeof f);
        std::array<Vec, 3> t{};
        for (int k = 0; k < 3; ++k) t[k] = {f[3 + 3 * k], f[4 + 3 * k], f[5 + 3 * k]};
        // The facet normal agrees with the winding.
        const Vec u{t[1][0] - t[0][0], t[1][1] - t[0][1], t[1][2] - t[0][2]};
        const Vec w{t[2][0] - t[0][0], t[2][1] - t[0][1], t[2][2] - t[0][2]};
        const Vec c{u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2],
                    u[0] * w[1] - u[1] * w[0]};
        EXPECT_GT(c[0] * f[0] + c[1] * f[1] + c[2] * f[2], 0) << "facet " << i;
        out.push_back(t);
    }
    return out;
}

double tripleVolume(const Vec& a, const Vec& b, const Vec& c) {
    return (a[0] * (b[1] * c[2] - b[2] * c[1]) - a[1] * (b[0] * c[2] - b[2] * c[0]) +
            a[2] * (b[0] * c[1] - b[1] * c[0])) /
           6;
}

// Closed and consistently oriented: every edge run as often one way as the other. No triangle
// repeats a corner or has no area. Answers the enclosed volume.
double checkClosed(const ObjMesh& m) {
    std::vector<std::uint64_t> forward, backward;
    double volume = 0;
    for (const auto& t : m.f) {
        const Vec &a = m.v[t[0]], &b = m.v[t[1]], &c = m.v[t[2]];
        EXPECT_TRUE(a != b && b != c && a != c) << "degenerate triangle";
        for (int k = 0; k < 3; ++k) {
            const std::uint64_t p = t[k], q = t[(k + 1) % 3];
            forward.push_back(p << 32 | q);
            backward.push_back(q << 32 | p);
        }
        volume += tripleVolume(a, b, c);
    }
    // Contours that touch at a point share its wall edge, so an edge may be used more than
    // once; closed means as often each way, which is the edge list equal to its reverse.
    std::sort(forward.begin(), forward.end());
    std::sort(backward.begin(), backward.end());
    EXPECT_TRUE(forward == backward) << "edges without a neighbour running the other way";
    return volume;
}

// Exact integrals over the cubics by 5-point Gauss quadrature (exact to degree 9).
template <class F> double alongCubic(const Segment& s, F f) {
    static const double x[] = {-0.9061798459386640, -0.5384693101056831, 0.0, 0.5384693101056831,
                               0.9061798459386640};
    static const double w[] = {0.2369268850561891, 0.4786286704993665, 0.5688888888888889,
                               0.4786286704993665, 0.2369268850561891};
    double sum = 0;
    for (int i = 0; i < 5; ++i) {
        const double t = (x[i] + 1) / 2, u = 1 - t;
        const TCvCoord p = evaluate(s, t);
        const TCvCoord d{3 * (u * u * (s.h1.x - s.a.x) + 2 * u * t * (s.h2.x - s.h1.x) +
                              t * t * (s.b.x - s.h2.x)),
                         3 * (u * u * (s.h1.y - s.a.y) + 2 * u * t * (s.h2.y - s.h1.y) +
                              t * t * (s.b.y - s.h2.y))};
        sum += w[i] * f(p, d) / 2;
    }
    return sum;
}

// The integral of f over every segment, an open path closed by a straight one.
template <class F> double alongPath(const TCvLine& l, F f) {
    double sum = 0;
    for (int i = 0; i < l.segmentCount(); ++i) sum += alongCubic(l.segment(i), f);
    if (!l.closed) {
        const TCvCoord a = l.points.back().anchor, b = l.points.front().anchor;
        sum += alongCubic({a, a, b, b}, f);
    }
    return sum;
}

class Shapes {
public:
    explicit Shapes(unsigned seed) : rng_(seed) {}
    double real(double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(rng_);
    }
    int integer(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

    // A wobbly curve around `c` from angle a0 to a1 (a full turn when closed); some anchors
    // get straight segments.
    TCvLine loop(TCvCoord c, double radius, bool closed, int fewest, double a0 = 0,
                 double a1 = 2 * M_PI) {
        TCvLine l;
        const int n = integer(fewest, 12);
        const bool reverse = integer(0, 1) == 1;
        const int steps = closed ? n : n - 1;
        for (int i = 0; i < n; ++i) {
            const double a =
                a0 + (a1 - a0) * i / steps * (reverse ? -1 : 1) + (reverse ? a1 - a0 : 0);
            const double r = radius * real(0.85, 1.0);
            const TCvCoord p{c.x + r * std::cos(a), c.y + r * std::sin(a)};
            const double k = integer(0, 3) == 0 ? 0 : radius * 0.5 / n * (reverse ? -1 : 1);
            const TCvCoord t{-std::sin(a) * k, std::cos(a) * k};
            l.points.emplace_back(p, TCvCoord{p.x - t.x, p.y - t.y},
                                  TCvCoord{p.x + t.x, p.y + t.y});
        }
        l.closed = closed;
        return l;
    }

private:
    std::mt19937 rng_;
};

std::string meshText(MeshFormat format, const std::vector<TCvLine>& lines, const MeshOptions& o,
                     MeshOutcome& outcome) {
    std::ostringstream out;
    outcome = writeMesh(out, format, pathRefs(lines), o);
    return out.str();
}

// Checks both files of one drawing and answers the volume.
double checkBothFormats(const std::vector<TCvLine>& lines, const MeshOptions& o) {
    MeshOutcome obj, stl;
    const ObjMesh m = readObj(meshText(MeshFormat::Obj, lines, o, obj));
    EXPECT_EQ(m.v.size(), obj.vertices);
    EXPECT_EQ(m.f.size(), obj.triangles);
    const auto facets = readStl(meshText(MeshFormat::Stl, lines, o, stl));
    EXPECT_EQ(facets.size(), obj.triangles);
    for (std::size_t i = 0; i < std::min(facets.size(), m.f.size()); ++i)
        for (int k = 0; k < 3; ++k)
            if (facets[i][k] != m.v[m.f[i][k]]) {
                ADD_FAILURE() << "STL facet " << i << " differs from the OBJ face";
                return 0;
            }
    return checkClosed(m);
}

TEST(MeshExport, RandomPrismsWithHolesAreClosedAndHoldTheirExactVolume) {
    for (unsigned seed = 1; seed <= 100; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Shapes s(seed);
        std::vector<TCvLine> lines;
        double area = 0;
        const auto xdy = [](TCvCoord p, TCvCoord d) { return p.x * d.y; };
        for (int i = s.integer(1, 4); i > 0; --i) {
            const TCvCoord c{30.0 * i + s.real(-3, 3), s.real(-50, 50)};
            const double r = s.real(5, 12);
            // Five anchors at least, so that a hole fits inside even a straight-sided outline.
            TCvLine outer = s.loop(c, r, s.integer(0, 4) != 0, 5);
            area += std::abs(alongPath(outer, xdy));
            if (outer.closed && s.integer(0, 1)) {
                TCvLine hole = s.loop({c.x + s.real(-1, 1), c.y}, r * 0.4, true, 3);
                area -= std::abs(alongPath(hole, xdy));
                outer.MergeHole(hole);
            }
            lines.push_back(outer);
        }
        MeshOptions o;
        o.height = s.real(0.5, 20);
        o.mmPerUnit = s.integer(0, 1) ? 1 : s.real(0.1, 10);
        const double volume = checkBothFormats(lines, o);
        const double exact = area * o.height * std::pow(o.mmPerUnit, 3);
        EXPECT_NEAR(volume, exact, exact * 0.005);
    }
}

// Paths that cross themselves and each other: the odd-rule region is still closed and
// faces out, however the tessellator has to split the outlines where they cross.
TEST(MeshExport, SelfCrossingScribblesStayClosed) {
    for (unsigned seed = 1; seed <= 50; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Shapes s(seed);
        std::vector<TCvLine> lines(static_cast<std::size_t>(s.integer(1, 3)));
        for (TCvLine& l : lines) {
            for (int i = s.integer(3, 9); i > 0; --i) {
                const TCvCoord p{s.real(0, 10), s.real(0, 10)};
                const TCvCoord h{s.integer(0, 2) ? s.real(-3, 3) : 0, s.real(-3, 3)};
                l.points.emplace_back(p, TCvCoord{p.x - h.x, p.y - h.y},
                                      TCvCoord{p.x + h.x, p.y + h.y});
            }
            l.closed = s.integer(0, 3) != 0;
        }
        MeshOptions o;
        o.form = s.integer(0, 1) ? MeshForm::Prism : MeshForm::Lathe;
        o.segments = 16;
        EXPECT_GT(checkBothFormats(lines, o), 0);
    }
}

TEST(MeshExport, RandomLathesAreClosedAndHoldThePappusVolume) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Shapes s(seed);
        std::vector<TCvLine> lines;
        // Rings off the axis, and open profiles from the axis (or near it) round and back.
        for (int i = s.integer(1, 3); i > 0; --i) {
            if (s.integer(0, 1)) {
                const double r = s.real(2, 6);
                lines.push_back(s.loop({r + s.real(1, 10), s.real(-20, 20)}, r, true, 3));
            } else {
                const double span = s.integer(0, 1) ? M_PI / 2 : s.real(0.5, 1.4);
                lines.push_back(s.loop({0, s.real(-20, 20)}, s.real(2, 8), false, 3, -span, span));
            }
        }
        // Left of the axis the drawing is mirrored; across it, turned about its left edge.
        const int placement = s.integer(0, 2);
        for (TCvLine& l : lines) {
            if (placement == 1) l.Transform({0, 0}, {-1, 0}, {0, 1});
            if (placement == 2) l.Translate({-3, 0});
        }
        double left = INFINITY, right = -INFINITY;
        for (const TCvLine& l : lines)
            for (int k = 0; k < l.segmentCount(); ++k) {
                const Segment g = l.segment(k);
                for (TCvCoord p : {g.a, g.h1, g.h2, g.b}) {
                    left = std::min(left, p.x);
                    right = std::max(right, p.x);
                }
            }
        const double w = left * right < 0 ? -left : 0, u = left < 0 && right <= 0 ? -1 : 1;
        // The integral of the radius over the profiles' areas; the closing across to the axis
        // adds nothing to r^2/2 dy.
        const auto r2dy = [&](TCvCoord p, TCvCoord d) {
            const double r = (p.x + w) * u;
            return r * r / 2 * d.y;
        };
        double moment = 0;
        for (const TCvLine& l : lines) {
            double m = 0;
            for (int k = 0; k < l.segmentCount(); ++k) m += alongCubic(l.segment(k), r2dy);
            moment += std::abs(m);
        }
        MeshOptions o;
        o.form = MeshForm::Lathe;
        o.segments = s.integer(0, 1) ? DefaultLatheSegments : s.integer(64, 96);
        const double volume = checkBothFormats(lines, o);
        const double exact = 2 * M_PI * moment;
        EXPECT_NEAR(volume, exact, exact * 0.005);
    }
}

TEST(MeshExport, ThePreviousFileSurvivesEveryOutcomeButWritten) {
    testing::TempDir dir;
    const std::string target = dir.write("old.stl", "previous");
    const std::vector<TCvLine> square{[] {
        TCvLine l;
        for (TCvCoord p : {TCvCoord{0, 0}, {1, 0}, {1, 1}, {0, 1}}) l.points.emplace_back(p, p, p);
        l.closed = 1;
        return l;
    }()};
    const auto content = [&] {
        const auto b = readFileBytes(target);
        return std::string(b.begin(), b.end());
    };
    const MeshOptions o;
    // Cancelled on the first path.
    const auto cancel = [](std::size_t, std::size_t) { return false; };
    EXPECT_EQ(MeshExportFile(target, pathRefs(square), o, cancel).result, MeshResult::Cancelled);
    // A line bounds nothing: nothing to write.
    std::vector<TCvLine> line{square[0]};
    line[0].points.resize(2);
    line[0].closed = 0;
    const MeshOutcome nothing = MeshExportFile(target, pathRefs(line), o);
    EXPECT_EQ(nothing.result, MeshResult::Nothing);
    MeshOptions flat = o;
    flat.height = 0;
    EXPECT_EQ(MeshExportFile(target, pathRefs(square), flat).result, MeshResult::Failed);
    EXPECT_EQ(content(), "previous");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.file("")), {}), 1)
        << "a temporary file was left behind";
    // A folder that does not exist fails with the reason.
    const MeshOutcome failed = MeshExportFile(dir.file("none/x.obj"), pathRefs(square), o);
    EXPECT_EQ(failed.result, MeshResult::Failed);
    EXPECT_NE(failed.error.find("none/x.obj"), std::string::npos) << failed.error;
    // Written: 2 cap triangles a side and 2 a wall, the count patched into the header.
    const MeshOutcome written = MeshExportFile(target, pathRefs(square), o);
    EXPECT_EQ(written.result, MeshResult::Written);
    EXPECT_EQ(written.triangles, 12u);
    EXPECT_EQ(readStl(content()).size(), 12u);
}

} // namespace
} // namespace plumex
