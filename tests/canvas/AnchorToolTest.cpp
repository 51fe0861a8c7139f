#include "MouseDriver.h"
#include "canvas/AnchorDrags.h"
#include "testing.h"

#include <cmath>
#include <numbers>

using namespace plumex;
using plumex::testing::coordNear;
using plumex::testing::curve;
using plumex::testing::polyline;

namespace {

// Scale 100 with the origin at pixel (213, 163). Anchor 0 is smooth with horizontal handles
// and selected, so its handles can be grabbed.
struct AnchorTool : plumex::testing::MouseFixture {
    void SetUp() override {
        MouseFixture::SetUp();
        w.Document.Lines = {curve({{{0, 0}, {-0.5, 0}, {0.5, 0}}, {{1, 1}, {1, 1}, {1, 1}}})};
        w.SetTool(ToolKind::Anchor);
        point().selected = 1;
        w.Document.Lines[0].UpdateSelected();
    }
    TCvPoint& point(int i = 0) { return w.Document.Lines[0].points[std::size_t(i)]; }
    // The handle at `degrees` from anchor 0, 0.5 long, with its mirror.
    void handlesAt(double degrees) {
        const double a = degrees * std::numbers::pi / 180;
        point().outHandle = {0.5 * std::cos(a), 0.5 * std::sin(a)};
        point().inHandle = mirror(point().outHandle, point().anchor);
    }
    void doubleClick(TCvCoord p, unsigned shift) {
        click(px(p), shift);
        down(px(p), MouseButton::Left, shift | ssDouble);
        up(px(p), MouseButton::Left, shift);
    }
};

} // namespace

TEST_F(AnchorTool, DraggingAnOutHandleMirrorsTheInHandleUnlessIndependent) {
    moveU({0.5, 0});
    down(px({0.5, 0}));
    EXPECT_EQ(w.DragState(), DragKind::Handle);
    moveU({0.5, 0.5}, ssLeft);
    const auto shown = w.DraggedHandle(); // what the status bar's angle is made of
    ASSERT_TRUE(shown.has_value());
    EXPECT_EQ(shown->handle, (TCvCoord{0.5, 0.5}));
    up(px({0.5, 0.5}));
    EXPECT_EQ(point().outHandle, (TCvCoord{0.5, 0.5}));
    EXPECT_EQ(point().inHandle, (TCvCoord{-0.5, -0.5}));
    EXPECT_EQ(undoSteps(), 1u);
    EXPECT_FALSE(w.DraggedHandle().has_value());
    point().independent = 1;
    dragU({0.5, 0.5}, {0.5, -0.3});
    EXPECT_EQ(point().outHandle, (TCvCoord{0.5, -0.3}));
    EXPECT_EQ(point().inHandle, (TCvCoord{-0.5, -0.5}));
}

TEST_F(AnchorTool, ShiftDragKeepsTheHandleDirection) {
    dragU({0.5, 0}, {0.8, 0.3}, ssShift);
    EXPECT_TRUE(coordNear(point().outHandle, {0.8, 0}, 1e-12));
    EXPECT_TRUE(coordNear(point().inHandle, {-0.8, 0}, 1e-12));
}

TEST_F(AnchorTool, ShiftDoubleClickLevelsByTheAngle) {
    handlesAt(30);
    doubleClick(point().outHandle, ssShift);
    EXPECT_DOUBLE_EQ(point().outHandle.y, 0);
    EXPECT_DOUBLE_EQ(point().inHandle.y, 0);
    handlesAt(60);
    doubleClick(point().outHandle, ssShift);
    EXPECT_DOUBLE_EQ(point().outHandle.x, 0);
    EXPECT_DOUBLE_EQ(point().inHandle.x, 0);
    // Ctrl makes a corner on the grabbed side.
    doubleClick(point().outHandle, ssCtrl);
    EXPECT_EQ(point().outHandle, point().anchor);
    EXPECT_EQ(point().independent, 1);
}

TEST_F(AnchorTool, CtrlDragOnAnAnchorPullsOutMirroredHandles) {
    dragU({1, 1}, {1.5, 1}, ssCtrl);
    EXPECT_EQ(point(1).outHandle, (TCvCoord{1.5, 1}));
    EXPECT_EQ(point(1).inHandle, (TCvCoord{0.5, 1}));
    EXPECT_FALSE(point(0).selected); // the anchor pulled is the only one selected
    // A Ctrl click alone retracts the handles, and that is one undo step.
    const std::size_t steps = undoSteps();
    clickU({1, 1}, ssCtrl);
    EXPECT_EQ(point(1).outHandle, point(1).anchor);
    EXPECT_EQ(undoSteps(), steps + 1);
}

TEST_F(AnchorTool, CtrlClickOnASegmentInsertsOneAnchorThatOneUndoRemoves) {
    w.Document.Lines = {polyline({{0, 0}, {1, 0}})};
    clickU({0.5, 0}, ssCtrl);
    ASSERT_EQ(w.Document.Lines[0].count(), 3);
    EXPECT_TRUE(coordNear(point(1).anchor, {0.5, 0}, 0.02));
    EXPECT_EQ(undoSteps(), 1u);
    ASSERT_TRUE(w.Undo());
    EXPECT_EQ(w.Document.Lines[0].count(), 2);
}

TEST_F(AnchorTool, CtrlDragOnASegmentMovesCopiesOfTheSelectedAnchors) {
    w.Document.Lines = {polyline({{0, 0}, {1, 0}, {1, 1}})};
    dragU({0.5, 0}, {0.5, 0.5}, ssCtrl);
    ASSERT_EQ(w.Document.Lines.size(), 2u);
    EXPECT_EQ(w.Document.Lines[0].count(), 3);
    EXPECT_EQ(w.Document.Lines[0].points[0].anchor, (TCvCoord{0, 0}));
    const TCvLine& copy = w.Document.Lines[1];
    ASSERT_EQ(copy.count(), 2);
    EXPECT_TRUE(coordNear(copy.points[0].anchor, {0, 0.5}, 1e-9));
    ASSERT_TRUE(w.Undo());
    EXPECT_EQ(w.Document.Lines.size(), 1u);
}

TEST_F(AnchorTool, ClickOnEmptySpaceDeselectsAndShiftBandToggles) {
    clickU({-1, -1});
    EXPECT_EQ(w.Document.CountSelected(), 0);
    point(1).selected = 1;
    w.Document.Lines[0].UpdateSelected();
    dragU({-0.2, -0.2}, {1.2, 1.2}, ssShift);
    EXPECT_TRUE(point(0).selected);
    EXPECT_FALSE(point(1).selected);
}

TEST(AnchorCopies, AWhollySelectedClosedPathIsCopiedClosed) {
    TCvDocument doc;
    doc.Lines = {polyline({{0, 0}, {1, 0}, {1, 1}}, true), polyline({{0, 0}, {1, 0}, {2, 0}})};
    doc.Lines[0].SelectAll(true);
    doc.Lines[1].points[1].selected = doc.Lines[1].points[2].selected = 1;
    doc.Lines[1].UpdateSelected();
    duplicateSelectedAnchors(doc);
    ASSERT_EQ(doc.Lines.size(), 4u);
    EXPECT_TRUE(doc.Lines[2].closed);
    EXPECT_EQ(doc.Lines[2].count(), 3);
    EXPECT_FALSE(doc.Lines[3].closed);
    EXPECT_EQ(doc.Lines[3].count(), 2);
    EXPECT_EQ(doc.CountSelected(), 2);
}
