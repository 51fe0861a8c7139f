// Every refusal and warning of the check, shown by POV-Ray itself: the document that triggers
// it fails, is dropped or draws nothing; the same document with the problem fixed renders.

#include "export/PovCheck.h"
#include "export/PovExport.h"
#include "export/PovFormat.h"
#include "export/PovRayRunner.h"
#include "testing.h"

#include <limits>

using namespace plumex;
using namespace plumex::testing;

namespace {

// White, self-lit objects on black, seen from the front: the drawing's x to the right and y up,
// the region from -2 to 6 on both axes.
const char* const Stage = R"(#version 3.7;
global_settings { assumed_gamma 1.0 }
background { color rgb 0 }
camera { orthographic location <2, 2, -20> look_at <2, 2, 0> right 8*x up 8*y }
)";

const char* const SelfLit = "pigment { color rgb 1 } finish { ambient 1 diffuse 0 }";

class CheckProof : public ::testing::Test {
protected:
    // The export of `paths` as the dialogs would make it, placed on the stage.
    PovRayRun render(const std::vector<TCvLine>& paths, PovMode mode, PovDlgState dlg = {}) {
        dlg.modifiers = SelfLit;
        return renderText(PovExportText(paths, mode, dlg, {}), mode);
    }
    PovRayRun renderText(const std::string& text, PovMode mode) {
        // A prism stands on the x-z plane; turned to face the camera it shows the drawing.
        const bool flat =
            mode == PovMode::Prism || mode == PovMode::ConicPrism || mode == PovMode::SphereSweep;
        const std::string placed = flat ? "object { " + text + " rotate -90*x }\n" : text;
        return runPovRay(dir.path(), Stage + placed, 48, 48);
    }

    ScratchDir dir{"plumex_check_"};
};

TCvLine triangle() {
    return polyline({{0, 0}, {4, 0}, {2, 4}}, true);
}

::testing::AssertionResult rendersShape(const PovRayRun& run) {
    if (run.status != 0 || run.parseError() || run.parseWarning())
        return ::testing::AssertionFailure() << "povray complained:\n" << run.log;
    if (run.litPixels() < 50)
        return ::testing::AssertionFailure() << "only " << run.litPixels() << " pixels lit";
    return ::testing::AssertionSuccess();
}

bool findsOnly(const std::vector<PovFinding>& found, PovSeverity severity, PovCheckRule rule) {
    return found.size() == 1 && found.front().severity == severity && found.front().rule == rule;
}

TEST_F(CheckProof, OneAnchorPathsShowNothing) {
    for (PovMode mode : {PovMode::Prism, PovMode::Lathe}) {
        const std::vector<TCvLine> lone{polyline({{2, 2}})};
        EXPECT_TRUE(findsOnly(PovCheck(lone, mode, {}, {}), PovSeverity::Refuse,
                              PovCheckRule::SingleAnchor));
        const PovRayRun run = render(lone, mode);
        EXPECT_EQ(run.status, 0) << run.log;
        EXPECT_EQ(run.litPixels(), 0);
        EXPECT_TRUE(PovCheck({triangle()}, mode, {}, {}).empty());
        EXPECT_TRUE(rendersShape(render({triangle()}, mode)));
    }
}

TEST_F(CheckProof, OpenPrismsAreDroppedWithAWarning) {
    const std::vector<TCvLine> open{polyline({{0, 0}, {4, 0}, {2, 4}})};
    EXPECT_TRUE(findsOnly(PovCheck(open, PovMode::Prism, {}, {}), PovSeverity::Refuse,
                          PovCheckRule::PrismOpen));
    const PovRayRun run = render(open, PovMode::Prism);
    EXPECT_NE(run.log.find("Prism not closed. Ignoring it."), std::string::npos) << run.log;
    EXPECT_EQ(run.litPixels(), 0);
    EXPECT_TRUE(rendersShape(render({triangle()}, PovMode::Prism)));
}

TEST_F(CheckProof, PrismsWithoutAreaAreBareWalls) {
    const std::vector<TCvLine> flat{polyline({{0, 0}, {4, 4}}, true)};
    EXPECT_TRUE(findsOnly(PovCheck(flat, PovMode::Prism, {}, {}), PovSeverity::Warn,
                          PovCheckRule::PrismNoArea));
    const PovRayRun run = render(flat, PovMode::Prism);
    EXPECT_EQ(run.status, 0) << run.log;
    EXPECT_FALSE(run.parseWarning()) << run.log;
    // Seen along its sweep the wall is a hairline where a solid would be.
    const PovRayRun fixed = render({polyline({{0, 0}, {4, 4}, {4, 0}}, true)}, PovMode::Prism);
    EXPECT_TRUE(rendersShape(fixed));
    EXPECT_LT(run.litPixels() * 10, fixed.litPixels());
}

TEST_F(CheckProof, LathePointsLeftOfTheAxisStopTheParse) {
    const std::vector<TCvLine> profile{polyline({{1, 0}, {-1, 2}, {1, 4}})};
    PovRequest raw;
    raw.mode = PovMode::Lathe;
    raw.modifiers = IndentLines(SelfLit);
    EXPECT_TRUE(
        findsOnly(PovCheck(profile, raw), PovSeverity::Refuse, PovCheckRule::LatheLeftOfAxis));
    const PovRayRun run = renderText(PovExportText(profile, raw), PovMode::Lathe);
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.log.find("Incorrect point in lathe."), std::string::npos) << run.log;
    // Measured from the selection's left edge, every point is right of the axis.
    PovDlgState left;
    left.axis = LatheAxis::LeftOfSelection;
    EXPECT_TRUE(PovCheck(profile, PovMode::Lathe, left, {}).empty());
    EXPECT_TRUE(rendersShape(render(profile, PovMode::Lathe, left)));
}

TEST_F(CheckProof, NumbersPastTheTokenLimitStopTheParse) {
    std::vector<TCvLine> huge{polyline({{0, 0}, {1e256, 0}, {0, 4}}, true)};
    EXPECT_TRUE(findsOnly(PovCheck(huge, PovMode::Prism, {}, {}), PovSeverity::Refuse,
                          PovCheckRule::NumberTooLong));
    const PovRayRun run = render(huge, PovMode::Prism);
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.log.find("String too long"), std::string::npos) << run.log;
    // 255 characters are still read: the limit is where the check puts it.
    const std::vector<TCvLine> longest{polyline({{0, 0}, {1e254, 0}, {0, 4}}, true)};
    EXPECT_TRUE(PovCheck(longest, PovMode::Array, {}, {}).empty());
    const PovRayRun parsed =
        runPovRay(dir.path(), Stage + PovExportText(longest, PovMode::Array, {}, {}), 8, 8);
    EXPECT_EQ(parsed.status, 0) << parsed.log;
    // Past every length: a coordinate that overflowed is written as a word POV-Ray does not know.
    const std::vector<TCvLine> overflowed{
        polyline({{0, 0}, {std::numeric_limits<double>::infinity(), 0}, {0, 4}}, true)};
    EXPECT_TRUE(findsOnly(PovCheck(overflowed, PovMode::Prism, {}, {}), PovSeverity::Refuse,
                          PovCheckRule::NumberTooLong));
    const PovRayRun broken = render(overflowed, PovMode::Prism);
    EXPECT_NE(broken.status, 0);
    EXPECT_TRUE(broken.parseError()) << broken.log;
    huge.front().Scale(1e-256, 1);
    EXPECT_TRUE(PovCheck(huge, PovMode::Prism, {}, {}).empty());
    EXPECT_TRUE(rendersShape(render(huge, PovMode::Prism)));
}

TEST_F(CheckProof, EmptyPolyLineArraysAreLeftOut) {
    const std::vector<TCvLine> round{
        curve({{{0, 2}, {0, 0}, {0, 4}}, {{4, 2}, {4, 4}, {4, 0}}}, true)};
    PovArrayDlgState poly;
    poly.lineForm = LineForm::PolyLine;
    poly.divideCount = "0";
    EXPECT_TRUE(findsOnly(PovCheck(round, PovMode::Array, {}, poly), PovSeverity::Refuse,
                          PovCheckRule::EmptyArray));
    const std::string dots = "#for (I, 0, dimension_size(Points, 1) - 1)\n"
                             " sphere { <Points[I].x, Points[I].y, 0>, 0.3 " +
                             std::string(SelfLit) + " }\n#end\n";
    // POV-Ray refuses array[0], so the export leaves it out and a scene using it fails.
    EXPECT_EQ(PovExportText(round, PovMode::Array, {}, poly), "");
    const PovRayRun run = runPovRay(dir.path(), Stage + dots, 48, 48);
    EXPECT_NE(run.status, 0);
    EXPECT_TRUE(run.parseError()) << run.log;
    poly.divideCount = "8";
    EXPECT_TRUE(PovCheck(round, PovMode::Array, {}, poly).empty());
    EXPECT_TRUE(rendersShape(runPovRay(
        dir.path(), Stage + PovExportText(round, PovMode::Array, {}, poly) + dots, 48, 48)));
}

// The warnings are about what POV-Ray accepts without a word: the check is the only notice.
TEST_F(CheckProof, ZeroLengthSegmentsPassSilentlyAndAddNothing) {
    const std::vector<TCvLine> doubled{polyline({{0, 0}, {4, 0}, {4, 0}, {2, 4}}, true)};
    EXPECT_TRUE(findsOnly(PovCheck(doubled, PovMode::Prism, {}, {}), PovSeverity::Warn,
                          PovCheckRule::ZeroLengthSegment));
    for (PovMode mode : {PovMode::Prism, PovMode::Lathe}) {
        const PovRayRun run = render(doubled, mode);
        EXPECT_TRUE(rendersShape(run));
        const PovRayRun fixed = render({triangle()}, mode);
        EXPECT_TRUE(rendersShape(fixed));
        EXPECT_NEAR(run.litPixels(), fixed.litPixels(), 4);
    }
}

TEST_F(CheckProof, CoincidentAnchorsMakeALoopSilently) {
    const std::vector<TCvLine> loop{curve({{{0, 0}, {0, 0}, {0, 0}},
                                           {{4, 0}, {4, 0}, {5, 2}},
                                           {{4, 0}, {3, 2}, {4, 0}},
                                           {{2, 4}, {2, 4}, {2, 4}}},
                                          true)};
    EXPECT_TRUE(findsOnly(PovCheck(loop, PovMode::Prism, {}, {}), PovSeverity::Warn,
                          PovCheckRule::CoincidentAnchors));
    const PovRayRun run = render(loop, PovMode::Prism);
    EXPECT_TRUE(rendersShape(run));
    // The loop draws more than the triangle alone: not what the outline shows at a glance.
    EXPECT_GT(run.litPixels(), render({triangle()}, PovMode::Prism).litPixels() + 20);
}

// The forms beyond the prism and the lathe: each refusal fails or draws nothing in POV-Ray, each
// warning shows in its picture or its log, and the fixed document renders without a word.
TEST_F(CheckProof, ConicPrismsSweptFlatOrOpenAreCaught) {
    PovDlgState flat;
    flat.bottom = flat.top = "1";
    EXPECT_TRUE(findsOnly(PovCheck({triangle()}, PovMode::ConicPrism, flat, {}), PovSeverity::Warn,
                          PovCheckRule::ConicFlat));
    EXPECT_NE(render({triangle()}, PovMode::ConicPrism, flat).log.find("Scale Y by 0.0"),
              std::string::npos);
    const std::vector<TCvLine> open{polyline({{0, 0}, {4, 0}, {2, 4}})};
    EXPECT_TRUE(findsOnly(PovCheck(open, PovMode::ConicPrism, {}, {}), PovSeverity::Refuse,
                          PovCheckRule::PrismOpen));
    const PovRayRun dropped = render(open, PovMode::ConicPrism);
    EXPECT_NE(dropped.log.find("Prism not closed. Ignoring it."), std::string::npos);
    EXPECT_EQ(dropped.litPixels(), 0);
    PovDlgState cone;
    cone.apexX = "2";
    cone.apexY = "1";
    cone.top = "3";
    EXPECT_TRUE(PovCheck({triangle()}, PovMode::ConicPrism, cone, {}).empty());
    EXPECT_TRUE(rendersShape(render({triangle()}, PovMode::ConicPrism, cone)));
}

TEST_F(CheckProof, SphereSweepsWithoutRadiusOrSpheresAreCaught) {
    const std::vector<TCvLine> lone{polyline({{2, 2}})};
    const std::vector<TCvLine> bend{polyline({{0, 0}, {4, 0}, {4, 4}})};
    for (SweepSpline spline : {SweepSpline::Linear, SweepSpline::BSpline, SweepSpline::Cubic}) {
        PovDlgState dlg;
        dlg.spline = spline;
        EXPECT_TRUE(findsOnly(PovCheck(lone, PovMode::SphereSweep, dlg, {}), PovSeverity::Refuse,
                              PovCheckRule::SingleAnchor));
        EXPECT_NE(render(lone, PovMode::SphereSweep, dlg).log.find("Too few modeling spheres"),
                  std::string::npos);
        dlg.radius = "0";
        EXPECT_TRUE(findsOnly(PovCheck(bend, PovMode::SphereSweep, dlg, {}), PovSeverity::Refuse,
                              PovCheckRule::SweepRadius));
        const PovRayRun empty = render(bend, PovMode::SphereSweep, dlg);
        EXPECT_EQ(empty.status, 0) << empty.log;
        EXPECT_EQ(empty.litPixels(), 0);
        dlg.radius = "0.5";
        EXPECT_TRUE(PovCheck(bend, PovMode::SphereSweep, dlg, {}).empty());
        EXPECT_TRUE(rendersShape(render(bend, PovMode::SphereSweep, dlg)));
    }
}

TEST_F(CheckProof, SorProfilesThatDoNotRiseAreRefused) {
    const std::vector<TCvLine> lone{polyline({{2, 2}})};
    EXPECT_TRUE(findsOnly(PovCheck(lone, PovMode::Sor, {}, {}), PovSeverity::Refuse,
                          PovCheckRule::SingleAnchor));
    EXPECT_NE(render(lone, PovMode::Sor).log.find("Surface of revolution must"), std::string::npos);
    const std::vector<TCvLine> dip{polyline({{1, 0}, {2, 2}, {1.5, 2}, {2, 4}})};
    const auto found = PovCheck(dip, PovMode::Sor, {}, {});
    EXPECT_TRUE(findsOnly(found, PovSeverity::Refuse, PovCheckRule::SorNotRising));
    EXPECT_EQ(found.at(0).anchor, 3);
    const PovRayRun refused = render(dip, PovMode::Sor);
    EXPECT_TRUE(refused.parseError());
    EXPECT_NE(refused.log.find("Incorrect point in surface"), std::string::npos);
    const std::vector<TCvLine> rising{polyline({{1, 0}, {2, 2}, {1.5, 3}, {2, 4}})};
    EXPECT_TRUE(PovCheck(rising, PovMode::Sor, {}, {}).empty());
    const PovRayRun open = render(rising, PovMode::Sor);
    EXPECT_TRUE(rendersShape(open));
    // Closed, the same anchors draw the very same picture: the closing segment counts for nothing.
    std::vector<TCvLine> closed = rising;
    closed[0].closed = 1;
    EXPECT_TRUE(findsOnly(PovCheck(closed, PovMode::Sor, {}, {}), PovSeverity::Warn,
                          PovCheckRule::SorClosed));
    EXPECT_EQ(render(closed, PovMode::Sor).rgb, open.rgb);
}

} // namespace
