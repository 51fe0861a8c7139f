#include "MouseDriver.h"
#include "testing.h"

using namespace plumex;
using plumex::testing::coordNear;
using plumex::testing::polyline;

namespace {

// Scale 100 with the origin at pixel (213, 163).
struct PenTool : plumex::testing::MouseFixture {
    void SetUp() override {
        MouseFixture::SetUp();
        w.SetTool(ToolKind::Pen);
    }
    void rightClick(TCvCoord p) { click(px(p), 0, MouseButton::Right); }
    const TCvLine& line(int i = 0) const { return w.Document.Lines[std::size_t(i)]; }
    std::vector<TCvCoord> anchors(int i = 0) const {
        std::vector<TCvCoord> out;
        for (const TCvPoint& p : line(i).points) out.push_back(p.anchor);
        return out;
    }
    using Cs = std::vector<TCvCoord>;
};

bool straight(const TCvLine& l) {
    for (const TCvPoint& p : l.points)
        if (!equal(p.inHandle, p.anchor) || !equal(p.outHandle, p.anchor)) return false;
    return true;
}

} // namespace

TEST_F(PenTool, ClicksMakeStraightSegmentsAndRightClickEnds) {
    clickU({0, 0});
    clickU({1, 0});
    clickU({1, 1});
    EXPECT_EQ(w.PenPath(), 0);
    moveU({0.5, 1.2});
    EXPECT_EQ(line().points.back().anchor, (TCvCoord{0.5, 1.2})); // the floating preview
    rightClick({0.5, 1.2});
    ASSERT_EQ(w.Document.Lines.size(), 1u);
    EXPECT_EQ(anchors(), (Cs{{0, 0}, {1, 0}, {1, 1}}));
    EXPECT_FALSE(line().closed);
    EXPECT_TRUE(straight(line()));
    EXPECT_EQ(w.PenPath(), -1);
    EXPECT_TRUE(host.menus.empty()); // the right click ended the path instead
    EXPECT_EQ(undoSteps(), 3u);
}

TEST_F(PenTool, DragsMakeSmoothAnchorsAndCtrlDragACusp) {
    dragU({0, 0}, {0.5, 0.5});
    dragU({1, 0}, {1.5, 0}, ssCtrl);
    dragU({2, 0}, {2, 0.5});
    rightClick({1.5, -1});
    ASSERT_EQ(line().count(), 3);
    const TCvPoint& smooth = line().points[0];
    EXPECT_EQ(smooth.outHandle, (TCvCoord{0.5, 0.5}));
    EXPECT_EQ(smooth.inHandle, (TCvCoord{-0.5, -0.5}));
    EXPECT_EQ(smooth.independent, 0);
    const TCvPoint& cusp = line().points[1];
    EXPECT_EQ(cusp.outHandle, (TCvCoord{1.5, 0}));
    EXPECT_EQ(cusp.inHandle, cusp.anchor);
    EXPECT_EQ(cusp.independent, 1);
    EXPECT_EQ(line().points[2].inHandle, (TCvCoord{2, -0.5}));
}

TEST_F(PenTool, PressNearTheFirstAnchorClosesAndTheNextPressStartsAgain) {
    clickU({0, 0});
    clickU({1, 0});
    clickU({1, 1});
    const PixelPoint nearFirst{px({0, 0}).x + 2, px({0, 0}).y - 3};
    click(nearFirst);
    EXPECT_TRUE(line().closed);
    EXPECT_EQ(anchors(), (Cs{{0, 0}, {1, 0}, {1, 1}}));
    EXPECT_EQ(w.PenPath(), -1);
    for (const TCvPoint& p : line().points) EXPECT_TRUE(p.selected);
    clickU({3, 0});
    EXPECT_EQ(w.Document.Lines.size(), 2u);
    EXPECT_EQ(w.PenPath(), 1);
    EXPECT_EQ(line(0).count(), 3);
}

TEST_F(PenTool, DoubleClickClosesAtOnce) {
    clickU({0, 0});
    clickU({1, 0});
    clickU({1, 1});
    down(px({1, 1}), MouseButton::Left, ssDouble);
    up(px({1, 1}));
    EXPECT_TRUE(line().closed);
    EXPECT_EQ(anchors(), (Cs{{0, 0}, {1, 0}, {1, 1}}));
    EXPECT_EQ(w.PenPath(), -1);
    // A double click on a lone first anchor does not close it onto itself.
    clickU({1.5, -0.5});
    down(px({1.5, -0.5}), MouseButton::Left, ssDouble);
    up(px({1.5, -0.5}));
    EXPECT_FALSE(line(1).closed);
    EXPECT_EQ(w.PenPath(), 1);
}

TEST_F(PenTool, JoiningAnotherPathAtItsLastAnchorReversesAndRemovesIt) {
    w.Document.Lines = {polyline({{2, 0}, {3, 0}, {3, 1}})};
    clickU({0, 0});
    clickU({1, 0});
    ASSERT_EQ(w.PenPath(), 1);
    clickU({3, 1}); // the other path's last anchor
    ASSERT_EQ(w.Document.Lines.size(), 1u);
    EXPECT_EQ(anchors(), (Cs{{0, 0}, {1, 0}, {3, 1}, {3, 0}, {2, 0}}));
    EXPECT_EQ(w.PenPath(), -1);
    // At its first anchor the other path keeps its order.
    w.Document.Lines.push_back(polyline({{5, 0}, {6, 0}}));
    clickU({4, 1});
    clickU({5, 0});
    ASSERT_EQ(w.Document.Lines.size(), 2u);
    EXPECT_EQ(anchors(1), (Cs{{4, 1}, {5, 0}, {6, 0}}));
    // One undo brings the joined path back.
    ASSERT_TRUE(w.Undo());
    EXPECT_EQ(w.Document.Lines.size(), 3u);
}

TEST_F(PenTool, PressOnTheFirstAnchorOfAPathContinuesItReversed) {
    w.Document.Lines = {polyline({{0, 0}, {1, 0}})};
    clickU({0, 0});
    EXPECT_EQ(w.PenPath(), 0);
    clickU({0, 1});
    rightClick({0, 1});
    EXPECT_EQ(anchors(), (Cs{{1, 0}, {0, 0}, {0, 1}}));
}

TEST_F(PenTool, ShiftLocksTheNewSegment) {
    clickU({0, 0});
    clickU({1, 0.2}, ssShift);
    rightClick({1, 0.2});
    EXPECT_EQ(anchors(), (Cs{{0, 0}, {1, 0}}));
    ASSERT_FALSE(host.pointerMoves.empty());
    EXPECT_EQ(host.pointerMoves.back(), px({1, 0}));
}

TEST_F(PenTool, UndoWhileDrawingRestoresThePenPath) {
    clickU({0, 0});
    clickU({1, 0});
    clickU({1, 1});
    ASSERT_TRUE(w.Undo());
    EXPECT_EQ(w.PenPath(), 0);
    clickU({1.5, 1.2});
    rightClick({1.5, 1.2});
    EXPECT_EQ(anchors(), (Cs{{0, 0}, {1, 0}, {1.5, 1.2}}));
}

TEST_F(PenTool, TheFloatingAnchorNeverBecomesARealOne) {
    clickU({0, 0});
    clickU({1, 0});
    moveU({1.5, 1.2});
    // Undo in another tool, from a snapshot taken while drawing.
    w.SetTool(ToolKind::Object);
    EXPECT_EQ(anchors(), (Cs{{0, 0}, {1, 0}}));
    ASSERT_TRUE(w.Undo());
    EXPECT_EQ(anchors(), (Cs{{0, 0}}));
    // Focus loss and menu commands end the path first.
    w.SetTool(ToolKind::Pen);
    w.Document.Lines.clear();
    clickU({0, 0});
    clickU({1, 0});
    w.FocusLost();
    EXPECT_EQ(w.PenPath(), -1);
    EXPECT_EQ(line().count(), 2);
    clickU({0.5, 0.5});
    clickU({1.5, 0.5});
    ASSERT_TRUE(w.DeleteSelection());
    EXPECT_EQ(w.Document.Lines.size(), 1u); // no lone floating anchor left behind
}

TEST_F(PenTool, FocusLossDuringADragKeepsThePlacedAnchor) {
    clickU({0, 0});
    moveU({1, 0});
    down(px({1, 0}));
    moveU({1, 0.5}, ssLeft);
    w.FocusLost();
    EXPECT_EQ(w.DragState(), DragKind::Idle);
    EXPECT_EQ(w.PenPath(), -1);
    EXPECT_EQ(anchors(), (Cs{{0, 0}, {1, 0}}));
    EXPECT_EQ(line().points[1].outHandle, (TCvCoord{1, 0.5}));
}
