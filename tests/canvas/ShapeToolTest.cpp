// The rectangle and ellipse tools, driven by mouse events.
#include "canvas/ShapeTool.h"
#include "MouseDriver.h"
#include "testing.h"

#include <cmath>

using namespace plumex;
using plumex::testing::coordNear;

namespace {

using ShapeTools = plumex::testing::MouseFixture;

// Same anchors and handles to within the pixel mapping's rounding, and closed.
void expectPathNear(const TCvLine& got, const TCvLine& want) {
    ASSERT_EQ(got.count(), want.count());
    EXPECT_TRUE(got.closed);
    for (int i = 0; i < got.count(); ++i) {
        EXPECT_TRUE(coordNear(got.points[i].anchor, want.points[i].anchor, 1e-9)) << i;
        EXPECT_TRUE(coordNear(got.points[i].inHandle, want.points[i].inHandle, 1e-9)) << i;
        EXPECT_TRUE(coordNear(got.points[i].outHandle, want.points[i].outHandle, 1e-9)) << i;
    }
}

TEST(ShapePaths, RectangleRunsClockwiseFromTheUpperLeft) {
    const TCvLine r = RectanglePath({0, 1, 2, 0});
    EXPECT_EQ(r, plumex::testing::polyline({{0, 1}, {2, 1}, {2, 0}, {0, 0}}, true));
}

TEST(ShapePaths, EllipseHasQuarterCircleHandles) {
    const TCvLine e = EllipsePath({-1, 1, 1, -1});
    ASSERT_EQ(e.count(), 4);
    EXPECT_TRUE(e.closed);
    const double k = 0.552284749830793;
    const TCvCoord anchors[] = {{0, 1}, {1, 0}, {0, -1}, {-1, 0}};
    for (int i = 0; i < 4; ++i) {
        const TCvPoint& p = e.points[i];
        EXPECT_EQ(p.anchor, anchors[i]);
        EXPECT_NEAR(distance(p.anchor, p.inHandle), k, 1e-15);
        EXPECT_NEAR(distance(p.anchor, p.outHandle), k, 1e-15);
        EXPECT_EQ(p.independent, 0);
    }
    // Clockwise: the top anchor's out-handle points right, the right one's down.
    EXPECT_EQ(e.points[0].outHandle, (TCvCoord{k, 1}));
    EXPECT_EQ(e.points[1].outHandle, (TCvCoord{1, -k}));
    // The curve through t = 1/2 of a quarter lies on the circle to within 3e-4.
    const Segment s = e.segment(0);
    const TCvCoord mid = scale(add(add(s.a, s.b), scale(add(s.h1, s.h2), 3)), 1.0 / 8);
    EXPECT_NEAR(length(mid), 1.0, 3e-4);
}

TEST_F(ShapeTools, DragMakesTheOnlySelectedShapeAsOneUndoStep) {
    w.Document.Lines = {plumex::testing::polyline({{-1, -1}, {-0.5, -1}})};
    w.Document.Lines[0].SelectAll(true);
    w.SetTool(ToolKind::Rect);
    dragU({0, 0}, {1, 0.5});
    ASSERT_EQ(w.Document.Lines.size(), 2u);
    EXPECT_FALSE(w.Document.Lines[0].selected);
    const TCvLine& r = w.Document.Lines[1];
    EXPECT_TRUE(r.selected);
    EXPECT_TRUE(r.points[0].selected);
    expectPathNear(r, RectanglePath({0, 0.5, 1, 0}));
    EXPECT_EQ(undoSteps(), 1u);
    EXPECT_TRUE(w.Undo());
    EXPECT_EQ(w.Document.Lines.size(), 1u);

    // Dragged towards the upper left: the same kind of path, from its own upper-left corner.
    w.SetTool(ToolKind::Ellipse);
    dragU({1, 0}, {0, 1});
    ASSERT_EQ(w.Document.Lines.size(), 2u);
    expectPathNear(w.Document.Lines[1], EllipsePath({0, 1, 1, 0}));
    EXPECT_TRUE(w.Undo());
    EXPECT_EQ(w.Document.Lines.size(), 1u);
}

TEST_F(ShapeTools, ShiftMakesASquareOrACircle) {
    for (ToolKind tool : {ToolKind::Rect, ToolKind::Ellipse}) {
        w.SetTool(tool);
        w.Document.Lines.clear();
        drag(px({0, 0}), PixelPoint{px({0, 0}).x + 60, px({0, 0}).y - 25}, ssShift);
        ASSERT_EQ(w.Document.Lines.size(), 1u);
        const TCvRect b = w.Document.Lines[0].GetBounds();
        EXPECT_NEAR(b.right - b.left, 0.6, 1e-9);
        EXPECT_NEAR(b.top - b.bottom, 0.6, 1e-9);
        EXPECT_NEAR(b.bottom, 0, 1e-9); // it grows away from the press, upwards here
    }
}

TEST_F(ShapeTools, ClickMakesNothingAndDoubleClickAsksForTheSize) {
    w.SetTool(ToolKind::Rect);
    clickU({0.5, 0.5});
    EXPECT_TRUE(w.Document.Lines.empty());
    EXPECT_FALSE(host.sizeRequest);
    EXPECT_EQ(undoSteps(), 0u);

    host.sizeAnswer = SizeAnswer{3, 2};
    w.MouseDown({px({0.5, 0.5}), MouseButton::Left, ssLeft | ssDouble});
    up(px({0.5, 0.5}));
    ASSERT_TRUE(host.sizeRequest);
    EXPECT_EQ(host.sizeRequest->mode, 0);
    EXPECT_EQ(host.sizeRequest->caption, 173);
    EXPECT_EQ(host.sizeRequest->width, 1);
    EXPECT_EQ(host.sizeRequest->height, 1);
    ASSERT_EQ(w.Document.Lines.size(), 1u);
    expectPathNear(w.Document.Lines[0], RectanglePath({0.5, 0.5, 3.5, -1.5}));
    EXPECT_EQ(undoSteps(), 1u);

    // The size is remembered per tool; cancelling makes nothing.
    host.sizeAnswer.reset();
    w.MouseDown({px({1, 1}), MouseButton::Left, ssLeft | ssDouble});
    up(px({1, 1}));
    EXPECT_EQ(host.sizeRequest->width, 3);
    EXPECT_EQ(host.sizeRequest->height, 2);
    EXPECT_EQ(w.Document.Lines.size(), 1u);

    w.SetTool(ToolKind::Ellipse);
    w.MouseDown({px({1, 1}), MouseButton::Left, ssLeft | ssDouble});
    up(px({1, 1}));
    EXPECT_EQ(host.sizeRequest->caption, 174);
    EXPECT_EQ(host.sizeRequest->width, 1);
}

TEST_F(ShapeTools, SnappingPutsBothCornersOnTheGrid) {
    o.SnapGrid = true;
    w.SetTool(ToolKind::Ellipse);
    dragU({0.23, 0.41}, {1.18, -0.29});
    ASSERT_EQ(w.Document.Lines.size(), 1u);
    const TCvRect b = w.Document.Lines[0].GetBounds();
    for (double v : {b.left, b.top, b.right, b.bottom})
        EXPECT_NEAR(v * 10, std::round(v * 10), 1e-9) << v;
    EXPECT_NEAR(b.left, 0.2, 1e-9);
    EXPECT_NEAR(b.top, 0.4, 1e-9);
    // Alt turns snapping off for the press.
    w.Document.Lines.clear();
    dragU({0.23, 0.41}, {1.18, -0.29}, ssAlt);
    EXPECT_NEAR(w.Document.Lines[0].GetBounds().left, 0.23, 0.011);
    EXPECT_GT(std::abs(w.Document.Lines[0].GetBounds().left - 0.2), 0.015);
}

} // namespace
