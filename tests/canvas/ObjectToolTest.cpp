#include "MouseDriver.h"
#include "canvas/HoverZone.h"
#include "canvas/TransformDrags.h"
#include "testing.h"

#include <cmath>
#include <numbers>

using namespace plumex;
using plumex::testing::coordNear;
using plumex::testing::polyline;

namespace {

// Equal geometry and states; anchor selection aside.
::testing::AssertionResult sameShape(TCvLine a, TCvLine b) {
    a.SelectAll(false);
    b.SelectAll(false);
    if (a == b) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the paths differ";
}

// Scale 100 with the origin at pixel (213, 163): the unit square spans pixels 213..313 across
// and 63..163 down.
struct ObjectTool : plumex::testing::MouseFixture {
    TCvLine square = polyline({{0, 0}, {1, 0}, {1, 1}, {0, 1}}, true);
    void SetUp() override {
        MouseFixture::SetUp();
        w.Document.Lines = {square};
    }
    void selectAll() {
        w.Document.SelectAll();
        w.Invalidate();
    }
    TCvCoord anchor(int path, int i) const { return w.Document.Lines[path].points[i].anchor; }
};

TEST_F(ObjectTool, ClickWithoutDragSelectsButRecordsNothing) {
    moveU({0.5, 0});
    down(px({0.5, 0}));
    EXPECT_EQ(w.DragState(), DragKind::Move);
    moveTo(PixelPoint{px({0.5, 0}).x + 3, px({0.5, 0}).y - 3}, ssLeft); // within the threshold
    up(px({0.5, 0}));
    EXPECT_TRUE(w.Document.Lines[0].selected);
    EXPECT_TRUE(sameShape(w.Document.Lines[0], square));
    EXPECT_EQ(undoSteps(), 0u);
    EXPECT_EQ(w.DragState(), DragKind::Idle);
}

TEST_F(ObjectTool, ShiftClickOnSelectedPathDeselectsWithoutDrag) {
    w.Document.Lines.push_back(polyline({{0.2, 0.3}, {0.6, 0.3}}));
    selectAll();
    moveU({0.4, 0.3}, ssShift);
    EXPECT_EQ(w.Hover().zone, HoverZone::Inside);
    down(px({0.4, 0.3}), MouseButton::Left, ssShift);
    EXPECT_FALSE(w.Document.Lines[1].selected);
    EXPECT_TRUE(w.Document.Lines[0].selected);
    EXPECT_EQ(w.DragState(), DragKind::Idle);
    moveU({0.9, 0.3}, ssShift | ssLeft);
    up(px({0.9, 0.3}), MouseButton::Left, ssShift);
    EXPECT_TRUE(sameShape(w.Document.Lines[0], square));
}

TEST_F(ObjectTool, DragMovesTheSelectionAsOneUndoStep) {
    selectAll();
    dragU({0.25, 0.75}, {0.75, 0.5});
    EXPECT_TRUE(coordNear(anchor(0, 0), {0.5, -0.25}, 1e-9));
    EXPECT_TRUE(coordNear(w.Document.Pivot, {1, 0.25}, 1e-9));
    EXPECT_EQ(undoSteps(), 1u);
    ASSERT_TRUE(w.Undo());
    EXPECT_TRUE(sameShape(w.Document.Lines[0], square));
}

TEST_F(ObjectTool, CtrlDragMovesSelectedCopiesAndOneUndoRemovesThem) {
    selectAll();
    dragU({0.25, 0.75}, {0.75, 0.75}, ssCtrl);
    ASSERT_EQ(w.Document.Lines.size(), 2u);
    EXPECT_TRUE(sameShape(w.Document.Lines[0], square));
    EXPECT_FALSE(w.Document.Lines[0].selected);
    EXPECT_TRUE(w.Document.Lines[1].selected);
    EXPECT_TRUE(coordNear(anchor(1, 0), {0.5, 0}, 1e-9));
    EXPECT_EQ(undoSteps(), 1u);
    ASSERT_TRUE(w.Undo());
    ASSERT_EQ(w.Document.Lines.size(), 1u);
    EXPECT_TRUE(sameShape(w.Document.Lines[0], square));
}

TEST_F(ObjectTool, AltInvertsGridSnappingOfTheMovingFrame) {
    selectAll();
    // 0.53 lies 3 pixels from the grid line at 0.5 (grid 0.1 at scale 100).
    dragU({0.25, 0.75}, {0.78, 0.75}, ssAlt);
    EXPECT_TRUE(coordNear(anchor(0, 0), {0.5, 0}, 1e-9));
    w.Document.Lines = {square};
    selectAll();
    dragU({0.25, 0.75}, {0.78, 0.75});
    EXPECT_TRUE(coordNear(anchor(0, 0), {0.53, 0}, 1e-9));
    o.SnapGrid = true;
    w.Document.Lines = {square};
    selectAll();
    dragU({0.25, 0.75}, {0.78, 0.75}, ssAlt);
    EXPECT_TRUE(coordNear(anchor(0, 0), {0.53, 0}, 1e-9));
}

TEST_F(ObjectTool, GrabbedAnchorSnapsAndRightClickLandsItOnAnotherAnchor) {
    w.Document.Lines.push_back(polyline({{2.035, 1.2}, {3, 1.2}}));
    w.Document.Lines[0].SelectAll(true);
    w.Document.SelectionChanged();
    // Grab the corner (1, 1) a pixel off, carry it near the other path's first anchor.
    moveTo(PixelPoint{px({1, 1}).x + 1, px({1, 1}).y + 1});
    ASSERT_TRUE(w.Hover().anchor);
    down(PixelPoint{px({1, 1}).x + 1, px({1, 1}).y + 1});
    EXPECT_EQ(w.Press().pressPixel, px({1, 1}));
    ASSERT_FALSE(host.pointerMoves.empty());
    moveTo(PixelPoint{px({2.03, 1.19}).x, px({2.03, 1.19}).y}, ssLeft);
    w.MouseDown({px({2.03, 1.19}), MouseButton::Right, ssLeft | ssRight});
    EXPECT_EQ(w.DragState(), DragKind::Idle);
    EXPECT_TRUE(coordNear(anchor(0, 2), {2.035, 1.2}, 1e-12));
    up(px({2.03, 1.19}), MouseButton::Right, ssLeft);
    up(px({2.03, 1.19}));
    EXPECT_TRUE(host.menus.empty());
    EXPECT_EQ(undoSteps(), 1u);
}

TEST_F(ObjectTool, ShiftCornerScalesUniformlyByTheSmallerFactor) {
    selectAll();
    moveTo(PixelPoint{320, 170});
    EXPECT_EQ(w.Hover().zone, HoverZone::BottomRight);
    drag(PixelPoint{320, 170}, px({1.5, -0.2}), ssShift);
    // Fixed corner (0, 1): sx = 1.5, sy = 1.2; the smaller wins.
    const TCvRect b = w.Document.SelectionBounds;
    EXPECT_NEAR(b.right, 1.2, 1e-9);
    EXPECT_NEAR(b.bottom, -0.2, 1e-9);
    EXPECT_NEAR(b.left, 0, 1e-12);
    EXPECT_NEAR(b.top, 1, 1e-12);
    EXPECT_EQ(undoSteps(), 1u);
}

TEST_F(ObjectTool, LeftEdgeDraggedPastTheRightEdgeMirrors) {
    selectAll();
    moveTo(PixelPoint{211, 113});
    EXPECT_EQ(w.Hover().zone, HoverZone::Left);
    drag(PixelPoint{211, 113}, px({1.5, 0.5}));
    EXPECT_TRUE(coordNear(anchor(0, 0), {1.5, 0}, 1e-9));
    EXPECT_TRUE(coordNear(anchor(0, 1), {1, 0}, 1e-9));
}

TEST_F(ObjectTool, FactorsThatAreNotFiniteLeaveTheAxisAlone) {
    const TCvRect thin{0, 1, 5e-324, 0};
    const TCvCoord s = scaleFactors(HoverZone::Right, thin, {0, 1}, {2, 0}, ScaleRatio::Free);
    EXPECT_EQ(s.x, 1);
    EXPECT_EQ(s.y, 1);
    const TCvRect line{1, 1, 1, 0};
    const TCvCoord k =
        shearFactors(DragKind::ShearLeft, line, shearFixedPoint(DragKind::ShearLeft, line),
                     {0.9, 0.5}, {0.9, 0.8});
    EXPECT_EQ(k.x, 0);
    EXPECT_EQ(k.y, 0);
    // Shearing a vertical line by its left handle changes nothing and records nothing.
    w.Document.Lines = {polyline({{1, 0}, {1, 1}})};
    selectAll();
    moveTo(PixelPoint{303, 113});
    ASSERT_EQ(w.Hover().zone, HoverZone::ShearLeft);
    drag(PixelPoint{303, 113}, PixelPoint{303, 60});
    for (const TCvPoint& p : w.Document.Lines[0].points) {
        EXPECT_TRUE(std::isfinite(p.anchor.x) && std::isfinite(p.anchor.y));
    }
    EXPECT_TRUE(sameShape(w.Document.Lines[0], polyline({{1, 0}, {1, 1}})));
    EXPECT_EQ(undoSteps(), 0u);
}

TEST_F(ObjectTool, ShiftRotationTurnsInFiveDegreeSteps) {
    const double deg = std::numbers::pi / 180;
    EXPECT_NEAR(stepAngle(9.9 * deg), 5 * deg, 1e-15);
    EXPECT_NEAR(stepAngle(-9.9 * deg), -5 * deg, 1e-15);
    EXPECT_EQ(stepAngle(4.99 * deg), 0);
    selectAll();
    moveTo(PixelPoint{223, 58});
    ASSERT_EQ(w.Hover().zone, HoverZone::Rotate);
    // A quarter turn clockwise about the pivot (0.5, 0.5), snapped to exactly 90 degrees.
    drag(PixelPoint{223, 58}, px({1.05, 0.9}), ssShift);
    EXPECT_EQ(anchor(0, 0), (TCvCoord{0, 1}));
    EXPECT_EQ(anchor(0, 1), (TCvCoord{0, 0}));
    EXPECT_EQ(undoSteps(), 1u);
}

TEST_F(ObjectTool, HoverZonesAroundTheFrame) {
    const PixelRect wide{100, 100, 300, 120};
    const PixelPoint c{200, 110};
    EXPECT_EQ(hoverZone(wide, c, {200, 110}), HoverZone::Centre);
    EXPECT_EQ(hoverZone(wide, c, {150, 110}), HoverZone::Inside);
    EXPECT_EQ(hoverZone(wide, c, {200, 92}), HoverZone::ShearTop);
    EXPECT_EQ(hoverZone(wide, c, {200, 128}), HoverZone::ShearBottom);
    EXPECT_EQ(hoverZone(wide, c, {90, 110}), HoverZone::None); // 20 pixels high: no side handles
    EXPECT_EQ(hoverZone(wide, c, {95, 95}), HoverZone::TopLeft);
    EXPECT_EQ(hoverZone(wide, c, {110, 95}), HoverZone::Rotate);
    EXPECT_EQ(hoverZone(wide, c, {302, 110}), HoverZone::Right);
    EXPECT_EQ(hoverZone(wide, c, {200, 100}), HoverZone::Top);
    EXPECT_EQ(hoverZone(wide, c, {200, 140}), HoverZone::None);
    const PixelRect narrow{100, 100, 120, 300};
    EXPECT_EQ(hoverZone(narrow, {110, 200}, {110, 92}), HoverZone::None); // no top handle under 32
    EXPECT_EQ(hoverZone(narrow, {110, 200}, {90, 200}), HoverZone::ShearLeft);
}

TEST_F(ObjectTool, WithoutTheHelperThereAreNoZones) {
    o.ShowHelper = false;
    selectAll();
    moveTo(PixelPoint{320, 170});
    EXPECT_EQ(w.Hover().zone, HoverZone::None);
    drag(PixelPoint{320, 170}, px({1.5, -0.2}));
    EXPECT_TRUE(sameShape(w.Document.Lines[0], square)); // a rubber band, not a scale
    EXPECT_FALSE(w.Document.Lines[0].selected);
}

TEST_F(ObjectTool, RubberBandSelectsPathsWithAnAnchorInside) {
    w.Document.Lines.push_back(polyline({{1.5, 0.5}, {2, 0.5}}));
    dragU({-0.5, 1.5}, {0.5, -0.5});
    EXPECT_TRUE(w.Document.Lines[0].selected);
    EXPECT_FALSE(w.Document.Lines[1].selected);
    // Shift toggles what the band catches and keeps the rest.
    dragU({1.2, 0.8}, {2.2, 0.2}, ssShift);
    EXPECT_TRUE(w.Document.Lines[0].selected);
    EXPECT_TRUE(w.Document.Lines[1].selected);
    EXPECT_EQ(undoSteps(), 0u);
}

TEST_F(ObjectTool, RightClickOnAnUnselectedAnchorSelectsItsPathBeforeTheMenu) {
    w.Document.Lines.push_back(polyline({{2, 0}, {3, 0}}));
    click(px({1, 1}), 0, MouseButton::Right);
    ASSERT_EQ(host.menus.size(), 1u);
    EXPECT_TRUE(w.Document.Lines[0].selected);
    EXPECT_FALSE(w.Document.Lines[1].selected);
    EXPECT_EQ(w.DragState(), DragKind::Idle);
}

TEST_F(ObjectTool, FocusLossDuringAMoveKeepsItUndoable) {
    selectAll();
    moveU({0.25, 0.75});
    down(px({0.25, 0.75}));
    moveU({0.75, 0.75}, ssLeft);
    w.FocusLost();
    EXPECT_EQ(w.DragState(), DragKind::Idle);
    EXPECT_TRUE(coordNear(anchor(0, 0), {0.5, 0}, 1e-9));
    EXPECT_TRUE(w.Document.IsModified());
    ASSERT_TRUE(w.Undo());
    EXPECT_TRUE(sameShape(w.Document.Lines[0], square));
}

TEST_F(ObjectTool, DoubleClicksOnTheHelperOpenTheDialogs) {
    selectAll();
    auto doubleClick = [&](PixelPoint p) {
        moveTo(p);
        down(p);
        up(p);
        w.MouseDown({p, MouseButton::Left, ssLeft | ssDouble});
        up(p);
    };
    doubleClick(px({0.5, 0.5}));       // centre
    doubleClick(PixelPoint{223, 58});  // rotation corner
    doubleClick(PixelPoint{211, 113}); // left edge
    doubleClick(PixelPoint{263, 53});  // top shear handle
    EXPECT_EQ(host.dialogs, (std::vector<std::string>{"move", "rotate", "expand", "shear"}));
    ASSERT_TRUE(host.shearRequest);
    EXPECT_EQ(host.shearRequest->direction, ShearPreset::Horizontal);
    EXPECT_EQ(w.DragState(), DragKind::Idle);
    EXPECT_TRUE(sameShape(w.Document.Lines[0], square));
}

} // namespace

// Undo and Redo reach the canvas from keyboard shortcuts while a button is still held; the
// drag must not go on with indexes into paths the undo took away.
TEST_F(ObjectTool, UndoInTheMiddleOfADragEndsTheDragFirst) {
    const TCvLine other = polyline({{2, 0}, {3, 0}});
    w.Document.Lines = {square, other};
    w.Document.UndoBuffer.Record({square}, w.Document.Pivot, -1); // the second path was added
    w.Document.Lines[1].SelectAll(true);
    w.Document.SelectionChanged();
    // Grab the second path's anchor and move it; undo takes that path away mid-drag.
    moveU({3, 0});
    ASSERT_TRUE(w.Hover().anchor);
    down(px({3, 0}));
    moveU({3, 0.5}, ssLeft);
    ASSERT_TRUE(w.Undo());
    EXPECT_EQ(w.DragState(), DragKind::Idle);
    moveU({3, 0.8}, ssLeft);
    up(px({3, 0.8}));
    // The undo took back the move made so far, so the paths are as at the press.
    ASSERT_EQ(w.Document.Lines.size(), 2u);
    EXPECT_TRUE(sameShape(w.Document.Lines[1], other));
    ASSERT_TRUE(w.Undo());
    EXPECT_EQ(w.Document.Lines.size(), 1u);

    // A rotation replaces the press-time paths by index on every move.
    w.Document.Lines = {square, other};
    w.Document.UndoBuffer.Clear();
    w.Document.UndoBuffer.Record({square}, w.Document.Pivot, -1);
    selectAll();
    moveTo(PixelPoint{223, 58});
    ASSERT_EQ(w.Hover().zone, HoverZone::Rotate);
    down(PixelPoint{223, 58});
    moveTo(px({1.05, 0.9}), ssLeft);
    ASSERT_TRUE(w.Undo());
    moveTo(px({1.05, 0.5}), ssLeft);
    up(px({1.05, 0.5}));
    EXPECT_EQ(w.DragState(), DragKind::Idle);
    ASSERT_EQ(w.Document.Lines.size(), 2u);
    EXPECT_TRUE(sameShape(w.Document.Lines[0], square));
    EXPECT_TRUE(sameShape(w.Document.Lines[1], other));
}

// The right button is held over an anchor while a shortcut undoes the path away; its release
// must not select or list the anchor by its old indexes.
TEST_F(ObjectTool, RightClickAfterAnUndoForgetsTheAnchorItWasOver) {
    w.Document.Lines = {square, polyline({{2, 0}, {3, 0}})};
    w.Document.UndoBuffer.Record({square}, w.Document.Pivot, -1);
    moveU({3, 0});
    ASSERT_TRUE(w.Hover().anchor);
    down(px({3, 0}), MouseButton::Right);
    ASSERT_TRUE(w.Undo());
    up(px({3, 0}), MouseButton::Right);
    ASSERT_EQ(host.menus.size(), 1u);
    ASSERT_EQ(w.Document.Lines.size(), 1u);
    EXPECT_FALSE(w.Document.Lines[0].selected);
}
