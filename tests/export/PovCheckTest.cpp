#include "export/PovCheck.h"
#include "model/DocumentFile.h"
#include "model/FileBytes.h"
#include "testing.h"

#include <filesystem>

using namespace plumex;
using plumex::testing::curve;
using plumex::testing::polyline;

namespace {

std::vector<TCvLine> example(const std::string& name) {
    const auto file = std::filesystem::path(PLUMEX_TEST_DATA) / ".." / ".." / "examples" / name;
    return readDocument(readFileBytes(file.string())).lines;
}

std::vector<PovFinding> check(const std::vector<TCvLine>& paths, PovMode mode,
                              const PovDlgState& dlg = {}, const PovArrayDlgState& arr = {}) {
    return PovCheck(paths, mode, dlg, arr);
}

// "rule@path.anchor" for each finding, in order.
std::vector<std::string> keys(const std::vector<PovFinding>& findings) {
    std::vector<std::string> out;
    for (const PovFinding& f : findings)
        out.push_back(std::string(ruleName(f.rule)) + "@" + std::to_string(f.path) + "." +
                      std::to_string(f.anchor));
    return out;
}

using Keys = std::vector<std::string>;

TCvLine square(double x, double y, double side) {
    return polyline({{x, y}, {x + side, y}, {x + side, y + side}, {x, y + side}}, true);
}

TEST(PovCheck, TheExamplesAreCleanInTheirOwnForms) {
    EXPECT_EQ(keys(check(example("letter_p.plx"), PovMode::Prism)), Keys{});
    EXPECT_EQ(keys(check(example("goblet.plx"), PovMode::Lathe)), Keys{});
    // The goblet's profile is open: as a prism POV-Ray would drop it.
    EXPECT_EQ(keys(check(example("goblet.plx"), PovMode::Prism)), Keys{"prism-open@1.5"});
}

TEST(PovCheck, OneAnchorPathsAreEmptyObjectsInPrismAndLathe) {
    // Deleting the middle anchor of a three-anchor line leaves two such paths.
    TCvLine left = polyline({{0, 0}});
    left.name = "Left";
    const std::vector<TCvLine> paths{left, polyline({{2, 0}})};
    for (PovMode mode : {PovMode::Prism, PovMode::Lathe}) {
        const auto found = check(paths, mode);
        EXPECT_EQ(keys(found), (Keys{"single-anchor@1.1", "single-anchor@2.1"}));
        EXPECT_TRUE(PovCheckRefuses(found));
        EXPECT_EQ(describeFinding(found.front()).rfind("path 1 \"Left\", anchor 1: ", 0), 0u);
    }
    // As an array the lone anchor is an empty all-four array but a valid shared-ends one.
    EXPECT_EQ(keys(check(paths, PovMode::Array)), (Keys{"empty-array@1.0", "empty-array@2.0"}));
    PovArrayDlgState shared;
    shared.lineForm = LineForm::SharedEnds;
    EXPECT_EQ(keys(check(paths, PovMode::Array, {}, shared)), Keys{});
}

TEST(PovCheck, PrismClosureIsJudgedOnTheWrittenNumbersWithPovRaysTolerance) {
    EXPECT_EQ(keys(check({polyline({{0, 0}, {2, 0}, {1, 2}})}, PovMode::Prism)),
              Keys{"prism-open@1.3"});
    // An open path that ends where it starts is closed for POV-Ray.
    EXPECT_EQ(keys(check({polyline({{0, 0}, {2, 0}, {1, 2}, {1e-11, 0}})}, PovMode::Prism)),
              Keys{});
    EXPECT_EQ(keys(check({polyline({{0, 0}, {2, 0}, {1, 2}, {1e-9, 0}})}, PovMode::Prism)),
              Keys{"prism-open@1.4"});
    // Rounding to two decimals closes a gap of a thousandth.
    PovDlgState two;
    two.accuracy = "2";
    EXPECT_EQ(keys(check({polyline({{0, 0}, {2, 0}, {1, 2}, {0.001, 0}})}, PovMode::Prism, two)),
              Keys{});
    // Lathes and arrays are open by nature.
    EXPECT_EQ(keys(check({polyline({{1, 0}, {2, 1}, {1, 2}})}, PovMode::Lathe)), Keys{});
    EXPECT_EQ(keys(check({polyline({{1, 0}, {2, 1}, {1, 2}})}, PovMode::Array)), Keys{});
}

TEST(PovCheck, PrismsNeedAnOutlineThatEnclosesArea) {
    EXPECT_EQ(keys(check({polyline({{0, 0}, {2, 1}}, true)}, PovMode::Prism)),
              Keys{"prism-no-area@1.0"});
    EXPECT_EQ(keys(check({polyline({{0, 0}, {1, 1}, {3, 3}}, true)}, PovMode::Prism)),
              Keys{"prism-no-area@1.0"});
    EXPECT_EQ(keys(check({polyline({{0, 0}}, true)}, PovMode::Prism)), Keys{"prism-no-area@1.0"});
    // Three anchors are what an outline needs: the message says what is wrong with these.
    const auto flat = check({polyline({{0, 0}, {1, 1}, {3, 3}}, true)}, PovMode::Prism);
    ASSERT_EQ(flat.size(), 1u);
    EXPECT_EQ(flat.front().message.rfind("the outline encloses no area", 0), 0u)
        << flat.front().message;
    EXPECT_EQ(flat.front().message.find("anchor(s)"), std::string::npos);
    // Two anchors with curved segments make a lens, which is fine.
    const TCvLine lens = curve({{{0, 0}, {0, -1}, {0, 1}}, {{2, 0}, {2, 1}, {2, -1}}}, true);
    EXPECT_EQ(keys(check({lens}, PovMode::Prism)), Keys{});
}

TEST(PovCheck, LathePointsLeftOfTheAxisExceptTheEndsAreRefused) {
    const TCvLine straddling = polyline({{-1, 0}, {1, 1}, {-0.5, 2}, {1, 3}});
    PovRequest raw; // the y axis taken as it is, without the dialog's axis rule
    raw.mode = PovMode::Lathe;
    // The first anchor's retracted out-handle is the list's second point, so it counts.
    EXPECT_EQ(keys(PovCheck({straddling}, raw)),
              (Keys{"lathe-left-of-axis@1.1", "lathe-left-of-axis@1.3"}));
    // The first point of the list is never tested by POV-Ray.
    const TCvLine start = curve({{{-1, 0}, {-1, 0}, {1, 0}}, {{1, 1}, {1, 1}, {1, 1}}});
    EXPECT_EQ(keys(PovCheck({start}, raw)), Keys{});
    // A handle counts too, and names its anchor.
    const TCvLine handle = curve({{{0, 0}, {0, 0}, {1, 0}}, {{1, 2}, {-1, 2}, {1, 2}}});
    EXPECT_EQ(keys(PovCheck({handle}, raw)), Keys{"lathe-left-of-axis@1.2"});
    // The dialog's axis rules keep every point right of the axis.
    for (LatheAxis axis :
         {LatheAxis::YAxis, LatheAxis::LeftOfSelection, LatheAxis::RightOfSelection}) {
        PovDlgState dlg;
        dlg.axis = axis;
        EXPECT_EQ(keys(check({straddling, handle}, PovMode::Lathe, dlg)), Keys{});
    }
}

TEST(PovCheck, LathePointsAlmostOnTheAxisGetAHint) {
    const auto found =
        check({polyline({{0, 0}, {1, 0}, {1, 2}, {1e-7, 2}, {1e-7, 3}})}, PovMode::Lathe);
    EXPECT_EQ(keys(found), (Keys{"lathe-near-axis@1.4", "lathe-near-axis@1.5"}));
    EXPECT_FALSE(PovCheckRefuses(found));
    // On the axis, or far enough away for the shape's size, is fine.
    EXPECT_EQ(keys(check({polyline({{0, 0}, {1, 0}, {0.01, 2}})}, PovMode::Lathe)), Keys{});
}

TEST(PovCheck, NumbersLongerThanPovRaysTokenAreRefused) {
    const TCvLine huge = polyline({{0, 0}, {1e260, 0}, {0, 1}}, true);
    EXPECT_EQ(keys(check({huge}, PovMode::Prism)), Keys{"number-too-long@1.2"});
    EXPECT_EQ(keys(check({huge}, PovMode::Array)), Keys{"number-too-long@1.2"});
    // 255 digits pass; the sign is a token of its own.
    EXPECT_EQ(keys(check({polyline({{0, 0}, {-1e254, 0}, {0, 1}}, true)}, PovMode::Prism)), Keys{});
}

TEST(PovCheck, ZeroLengthSegmentsAndCoincidentAnchorsAreWarned) {
    const TCvLine doubled = polyline({{0, 0}, {2, 0}, {2, 0}, {1, 2}}, true);
    EXPECT_EQ(keys(check({doubled}, PovMode::Prism)), Keys{"zero-length-segment@1.2"});
    EXPECT_EQ(keys(check({doubled}, PovMode::Array)), Keys{"zero-length-segment@1.2"});
    // Same place, but handles pulled out: a loop between two coincident anchors.
    const TCvLine loop = curve({{{0, 0}, {0, 0}, {0, 0}},
                                {{2, 0}, {2, 0}, {3, 1}},
                                {{2, 0}, {3, -1}, {2, 0}},
                                {{1, 2}, {1, 2}, {1, 2}}},
                               true);
    const auto found = check({loop}, PovMode::Prism);
    EXPECT_EQ(keys(found), Keys{"coincident-anchors@1.2"});
    EXPECT_FALSE(PovCheckRefuses(found));
    // Anchors that only meet once rounded: the message says so.
    PovDlgState zero;
    zero.accuracy = "0";
    const auto rounded =
        check({polyline({{0, 0}, {2, 0}, {2.2, 0.1}, {1, 2}}, true)}, PovMode::Prism, zero);
    ASSERT_EQ(keys(rounded), Keys{"zero-length-segment@1.2"});
    EXPECT_NE(rounded.front().message.find("accuracy 0"), std::string::npos);
}

TEST(PovCheck, HolesThatAreNotMergedAreHintedForPrismsOnly) {
    TCvLine outer = square(0, 0, 10), hole = square(2, 2, 6), island = square(4, 4, 2);
    outer.name = "Outer";
    const std::vector<TCvLine> nested{island, outer, hole};
    const auto found = check(nested, PovMode::Prism);
    // Only the hole: the island is a solid of its own either way.
    ASSERT_EQ(keys(found), Keys{"unmerged-hole@3.0"});
    EXPECT_EQ(found.front().severity, PovSeverity::Hint);
    EXPECT_NE(found.front().message.find("path 2 \"Outer\""), std::string::npos);
    EXPECT_EQ(keys(check(nested, PovMode::Lathe)), Keys{});
    // Merged with Make Hole, nothing is left to say.
    outer.MergeHole(hole);
    EXPECT_EQ(keys(check({outer, island}, PovMode::Prism)), Keys{});
    // Disjoint closed paths are no holes.
    EXPECT_EQ(keys(check({square(0, 0, 1), square(3, 0, 1)}, PovMode::Prism)), Keys{});
}

TEST(PovCheck, PolyLineArraysThatWouldBeEmptyAreRefused) {
    PovArrayDlgState poly;
    poly.lineForm = LineForm::PolyLine;
    poly.divideCount = "0";
    const TCvLine round = curve({{{0, 0}, {0, -1}, {0, 1}}, {{2, 0}, {2, 1}, {2, -1}}}, true);
    const auto found = check({round, square(0, 0, 1)}, PovMode::Array, {}, poly);
    ASSERT_EQ(keys(found), Keys{"empty-array@1.0"});
    EXPECT_NE(found.front().message.find("\"Divide by\" 0"), std::string::npos);
    poly.divideCount = "1";
    EXPECT_EQ(keys(check({round}, PovMode::Array, {}, poly)), Keys{});
}

TEST(PovCheck, PathsWithoutAnchorsAndEmptySelectionsSayNothing) {
    EXPECT_EQ(keys(check({TCvLine{}}, PovMode::Prism)), Keys{});
    EXPECT_EQ(keys(check({}, PovMode::Lathe)), Keys{});
    EXPECT_FALSE(PovCheckRefuses({}));
}

} // namespace
