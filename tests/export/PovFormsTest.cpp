// The conic prism, the sphere sweep and the surface of revolution against what they are made
// from: the prism's own text, the drawn curve, the anchors' heights.

#include "export/PovCheck.h"
#include "export/PovExport.h"
#include "export/PovShapes.h"
#include "testing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

using namespace plumex;
using plumex::testing::polyline;

namespace {

TCvLine randomPath(std::mt19937& rng, int anchors, bool closed) {
    std::uniform_real_distribution<double> coord(-50, 50);
    TCvLine line;
    for (int i = 0; i < anchors; ++i) {
        const TCvCoord a{coord(rng), coord(rng)};
        const bool curved = rng() % 3 != 0;
        line.points.emplace_back(a, curved ? TCvCoord{coord(rng), coord(rng)} : a,
                                 curved ? TCvCoord{coord(rng), coord(rng)} : a);
    }
    line.closed = closed;
    return line;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find("\r\n", at);
        out.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return out;
}

double distanceToPiece(TCvCoord p, TCvCoord a, TCvCoord b) {
    const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
    const double t =
        len2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2, 0.0, 1.0) : 0.0;
    return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
}

} // namespace

// The conic prism is the prism of the outline moved by minus the apex, swept the other way.
TEST(PovForms, ConicPrismIsThePrismAboutTheApex) {
    std::mt19937 rng(31);
    for (int round = 0; round < 50; ++round) {
        const TCvLine line = randomPath(rng, 1 + static_cast<int>(rng() % 6), true);
        PovDlgState dlg;
        dlg.apexX = std::to_string(static_cast<int>(rng() % 20) - 10);
        dlg.apexY = "2.5";
        dlg.bottom = "-1";
        dlg.top = "3";
        dlg.accuracy = "6";
        TCvLine moved = line;
        moved.Translate({-std::stod(dlg.apexX), -2.5});
        const auto conic = lines(PovExportText({line}, PovMode::ConicPrism, dlg, {}));
        const auto prism = lines(PovExportText({moved}, PovMode::Prism, dlg, {}));
        ASSERT_EQ(conic.size(), prism.size() + 2);
        EXPECT_EQ(conic[1], " conic_sweep");
        EXPECT_EQ(conic[2], " bezier_spline 0,1," + std::to_string(4 * line.segmentCount()));
        for (std::size_t k = 3; k + 2 < prism.size(); ++k) EXPECT_EQ(conic[k], prism[k]) << k;
        // The outline at y = 1 goes to Bottom, the apex at y = 0 to Top over the apex point.
        EXPECT_EQ(conic[prism.size() - 2], " scale <1,-4,1>");
        EXPECT_EQ(conic[prism.size() - 1], " translate <" + dlg.apexX + ",3,2.5>");
    }
    PovDlgState typed;
    typed.top = "H";
    const auto placed = lines(
        PovExportText({polyline({{0, 0}, {1, 0}, {0, 1}}, true)}, PovMode::ConicPrism, typed, {}));
    EXPECT_EQ(placed[6], " scale <1,(0)-(H),1>");
    EXPECT_EQ(placed[7], " translate <0,(H),0>");
}

// The flattened curve stays within the tolerance of the drawn one and ends on its anchors; the
// splines run through the anchors with one mirrored or wrapped control point at each end.
TEST(PovForms, SphereSweepCentresFollowThePath) {
    std::mt19937 rng(7);
    for (int round = 0; round < 80; ++round) {
        const bool closed = rng() % 2;
        const TCvLine line = randomPath(rng, 2 + static_cast<int>(rng() % 5), closed);
        PovRequest r;
        r.mode = PovMode::SphereSweep;
        r.tolerance = round % 4 == 0 ? 0 : std::ldexp(1.0, -static_cast<int>(rng() % 8));
        const double tol = flatteningTolerance(line, r);
        const std::vector<TCvCoord> flat = sweepCentres(line, r);
        ASSERT_GE(flat.size(), 2u);
        EXPECT_EQ(flat.front(), line.points.front().anchor);
        EXPECT_EQ(flat.back(), closed ? line.points.front().anchor : line.points.back().anchor);
        for (int i = 0; i < line.segmentCount(); ++i)
            for (int j = 0; j <= 64; ++j) {
                const TCvCoord p = evaluate(line.segment(i), j / 64.0);
                double nearest = INFINITY;
                for (std::size_t k = 1; k < flat.size(); ++k)
                    nearest = std::min(nearest, distanceToPiece(p, flat[k - 1], flat[k]));
                ASSERT_LE(nearest, tol * 1.0001) << "round " << round;
            }
        for (SweepSpline spline : {SweepSpline::BSpline, SweepSpline::Cubic}) {
            r.spline = spline;
            const std::vector<TCvCoord> c = sweepCentres(line, r);
            const std::size_t n = line.points.size();
            ASSERT_EQ(c.size(), n + (closed ? 3 : 2));
            ASSERT_GE(static_cast<int>(c.size()), minimumCentres(spline));
            for (std::size_t k = 0; k < n; ++k) EXPECT_EQ(c[k + 1], line.points[k].anchor);
            // The uniform B-spline starts at (c0 + 4 c1 + c2) / 6: the first anchor itself
            // when the path is open.
            if (!closed) {
                const TCvCoord start{(c[0].x + 4 * c[1].x + c[2].x) / 6,
                                     (c[0].y + 4 * c[1].y + c[2].y) / 6};
                EXPECT_TRUE(plumex::testing::coordNear(start, c[1], 1e-9));
            }
        }
    }
    const std::string text =
        PovExportText({polyline({{1, 2}, {3, 4}})}, PovMode::SphereSweep, PovDlgState{}, {});
    EXPECT_EQ(text, "sphere_sweep {\r\n linear_spline\r\n 2,\r\n <1,0,2>,0.1\r\n <3,0,4>,0.1\r\n"
                    " pigment {color rgb 1}\r\n}\r\n");
}

// A profile of rising anchors (or falling ones, read backwards) passes; the first anchor that
// is not above the one before is named, and only that one.
TEST(PovForms, SorNamesTheAnchorThatDoesNotRise) {
    std::mt19937 rng(3);
    for (int round = 0; round < 60; ++round) {
        const int n = 2 + static_cast<int>(rng() % 6);
        TCvLine line;
        double y = 0;
        for (int i = 0; i < n; ++i) {
            y += 0.25 + static_cast<double>(rng() % 8);
            const TCvCoord a{0.5 + static_cast<double>(rng() % 9), y};
            line.points.emplace_back(a, a, a);
        }
        if (rng() % 2) line.Reverse();
        PovDlgState dlg;
        const SorProfile profile = sorProfile(line, dlg.request(PovMode::Sor, latheEdges({line})));
        ASSERT_EQ(profile.points.size(), static_cast<std::size_t>(n + 2));
        for (std::size_t k = 1; k < profile.points.size(); ++k)
            EXPECT_LT(profile.points[k - 1].y, profile.points[k].y);
        for (TCvCoord p : profile.points) EXPECT_GE(p.x, 0);
        EXPECT_TRUE(PovCheck({line}, PovMode::Sor, dlg, {}).empty()) << "round " << round;

        // One anchor after the first dropped to the height of the one before it.
        TCvLine broken = line;
        if (broken.points[0].anchor.y > broken.points[1].anchor.y) broken.Reverse();
        const int k = 1 + static_cast<int>(rng() % static_cast<unsigned>(n - 1));
        broken.points[static_cast<std::size_t>(k)].anchor.y =
            broken.points[static_cast<std::size_t>(k - 1)].anchor.y;
        const auto found = PovCheck({broken}, PovMode::Sor, dlg, {});
        ASSERT_FALSE(found.empty()) << "round " << round;
        EXPECT_EQ(found.front().rule, PovCheckRule::SorNotRising);
        EXPECT_EQ(found.front().severity, PovSeverity::Refuse);
        EXPECT_EQ(found.front().anchor, k + 1);
        EXPECT_NE(found.front().message.find("lathe"), std::string::npos);
    }
}
