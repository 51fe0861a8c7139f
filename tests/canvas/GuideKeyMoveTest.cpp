#include "canvas/Window.h"

#include "FakeHost.h"
#include "app/Languages.h"
#include "testing.h"

using namespace plumex;
using plumex::testing::coordNear;
using plumex::testing::polyline;

namespace {

struct GuideFixture : ::testing::Test {
    TCvOptions o;
    TCvWindow w{&o};
    plumex::testing::FakeHost host;
    void SetUp() override {
        w.SetHost(&host);
        w.Resize(413, 313);
        w.HandleCreated();
    }
};

} // namespace

TEST_F(GuideFixture, LockedGuidesAreErasedOnlyAfterYes) {
    w.VerticalGuides() = {1, 2};
    w.HorizontalGuides() = {3};
    EXPECT_FALSE(
        w.EraseGuides(GuideAxes{.vertical = true, .horizontal = false})); // the fake answers No
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], message(msgClrGuide));
    EXPECT_EQ(w.VerticalGuides().size(), 2u);
    host.answers = {MessageAnswer::Yes};
    EXPECT_TRUE(w.EraseGuides(GuideAxes{.vertical = true, .horizontal = false}));
    EXPECT_TRUE(w.VerticalGuides().empty());
    EXPECT_EQ(w.HorizontalGuides().size(), 1u);
    // Empty lists are not asked about; unlocked guides go without asking.
    o.LockGuides = false;
    EXPECT_FALSE(w.EraseGuides(GuideAxes{.vertical = true, .horizontal = false}));
    EXPECT_TRUE(w.EraseGuides(GuideAxes{.vertical = true, .horizontal = true}));
    EXPECT_EQ(host.messages.size(), 2u);
    EXPECT_TRUE(w.HorizontalGuides().empty());
}

TEST_F(GuideFixture, AddMoveDeleteAndHoverRepaintTheStrip) {
    const int i = w.AddGuide(GuideAxis::Vertical, 0.5);
    ASSERT_FALSE(host.invalidated.empty());
    const int px = w.UnitToPixelX(0.5);
    EXPECT_EQ(host.invalidated.back(), (PixelRect{px - 1, 0, px + 2, 313}));
    w.MoveGuide(GuideAxis::Vertical, i, 1.0);
    EXPECT_EQ(host.invalidated.back(), (PixelRect{px - 1, 0, w.UnitToPixelX(1.0) + 2, 313}));
    w.AddGuide(GuideAxis::Horizontal, -0.25);
    auto hit = w.GuideAt({w.UnitToPixelX(1.0) + 5, 40});
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->axis, GuideAxis::Vertical);
    EXPECT_FALSE(w.GuideAt({w.UnitToPixelX(1.0) + 7, 40}));
    hit = w.GuideAt({20, w.UnitToPixelY(-0.25) - 3});
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->axis, GuideAxis::Horizontal);
    w.SetMovingGuide(MovingGuide{GuideAxis::Vertical, 0});
    w.DeleteGuide(GuideAxis::Vertical, 0);
    EXPECT_TRUE(w.VerticalGuides().empty());
    EXPECT_FALSE(w.MovingGuideLine());
    w.DeleteGuide(GuideAxis::Vertical, 5); // out of range: nothing
}

TEST_F(GuideFixture, KeyMovesWholePathsOrSelectedAnchorsAsOneUndoStep) {
    TCvLine a = polyline({{0, 0}, {1, 0}});
    a.SelectAll(true);
    w.Document.Lines = {a, polyline({{5, 5}, {6, 6}})};
    w.Document.SelectionChanged();
    const auto before = w.Document.Lines;
    w.MoveSelectionByKey(KeyMove::Right, KeyStep::Normal);
    EXPECT_TRUE(coordNear(w.Document.Lines[0].points[1].anchor, {1.1, 0}, 1e-12));
    EXPECT_EQ(w.Document.Lines[1], before[1]);
    EXPECT_TRUE(coordNear(w.Document.Pivot, {0.6, 0}, 1e-12));
    EXPECT_NEAR(w.Document.SelectionBounds.left, 0.1, 1e-12);
    w.MoveSelectionByKey(KeyMove::Down, KeyStep::Fine);
    EXPECT_TRUE(coordNear(w.Document.Lines[0].points[0].anchor, {0.1, -0.01}, 1e-12));
    EXPECT_TRUE(w.Undo());
    EXPECT_TRUE(w.Undo());
    EXPECT_EQ(w.Document.Lines, before);
    EXPECT_FALSE(w.Document.IsModified());

    // The anchor tool moves only selected anchors and puts the pivot at the new centre.
    w.SetTool(ToolKind::Anchor);
    w.Document.Lines[0].points[0].selected = 0;
    w.MoveSelectionByKey(KeyMove::Up, KeyStep::Normal);
    EXPECT_EQ(w.Document.Lines[0].points[0].anchor, (TCvCoord{0, 0}));
    EXPECT_TRUE(coordNear(w.Document.Lines[0].points[1].anchor, {1, 0.1}, 1e-12));
    EXPECT_TRUE(coordNear(w.Document.Pivot, {0.5, 0.05}, 1e-12));
}

TEST_F(GuideFixture, KeyMoveWithNothingSelectedLeavesTheDocumentUnmodified) {
    w.Document.Lines = {polyline({{0, 0}, {1, 0}})};
    int changes = 0;
    w.OnChange = [&](TCvWindow&) { ++changes; };
    w.MoveSelectionByKey(KeyMove::Left, KeyStep::Normal);
    EXPECT_FALSE(w.Document.IsModified());
    EXPECT_EQ(changes, 0);
}

TEST_F(GuideFixture, OptionsByNumberAreStoredAndNotified) {
    int changes = 0;
    w.OnChange = [&](TCvWindow&) { ++changes; };
    for (int k = 0; k < CanvasOptionCount; ++k) {
        const auto n = static_cast<CanvasOption>(k);
        if (n == CanvasOption::GridSizeFixed) continue;
        const bool v = !w.GetOption(n);
        w.SetOption(n, v);
        EXPECT_EQ(o.option(n), v) << k;
    }
    EXPECT_EQ(changes, CanvasOptionCount - 1);
    EXPECT_EQ(w.AnchorSize(), 3);
}
