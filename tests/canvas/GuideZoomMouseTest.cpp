// Guides pulled out of the rulers and the zoom tool, driven by mouse events.
#include "MouseDriver.h"
#include "app/Languages.h"
#include "testing.h"

using namespace plumex;
using plumex::testing::coordNear;
using plumex::testing::polyline;

namespace {

using MouseGuides = plumex::testing::MouseFixture;
using ZoomByMouse = plumex::testing::MouseFixture;

TEST_F(MouseGuides, GuideFromTheLeftRulerFollowsAndDiesOverTheRuler) {
    o.LockGuides = false;
    drag(PixelPoint{5, 100}, PixelPoint{263, 100});
    ASSERT_EQ(w.VerticalGuides().size(), 1u);
    EXPECT_NEAR(w.VerticalGuides()[0], 0.5, 1e-12);
    EXPECT_FALSE(w.MovingGuideLine());
    // Hovered, grabbed and carried back onto the ruler: deleted.
    moveTo(PixelPoint{265, 200});
    ASSERT_TRUE(w.Hover().guide);
    drag(PixelPoint{265, 200}, PixelPoint{6, 200});
    EXPECT_TRUE(w.VerticalGuides().empty());
    // From the top ruler, released outside the client area: deleted as well.
    drag(PixelPoint{100, 4}, PixelPoint{100, 400});
    EXPECT_TRUE(w.HorizontalGuides().empty());
}

TEST_F(MouseGuides, CornerDragMakesAPairAndRightClickPlacesOnAnAnchor) {
    o.LockGuides = false;
    drag(PixelPoint{5, 5}, PixelPoint{263, 113});
    ASSERT_EQ(w.VerticalGuides().size(), 1u);
    ASSERT_EQ(w.HorizontalGuides().size(), 1u);
    EXPECT_TRUE(coordNear({w.VerticalGuides()[0], w.HorizontalGuides()[0]}, {0.5, 0.5}, 1e-12));
    // Carry the vertical guide next to an anchor at 1.013, right-click to land it there.
    w.Document.Lines = {polyline({{1.013, -1}, {2, -1}})};
    moveTo(PixelPoint{263, 250});
    down(PixelPoint{263, 250});
    moveTo(px({1.02, -1}), ssLeft);
    EXPECT_EQ(w.DragState(), DragKind::VerticalGuide);
    w.MouseDown({px({1.02, -1}), MouseButton::Right, ssLeft | ssRight});
    EXPECT_EQ(w.DragState(), DragKind::Idle);
    EXPECT_EQ(w.VerticalGuides()[0], 1.013);
    up(px({1.02, -1}), MouseButton::Right, ssLeft);
    up(px({1.02, -1}));
    EXPECT_TRUE(host.menus.empty());
}

TEST_F(MouseGuides, DoubleClickOnTheRulerErasesAfterAskingWhenLocked) {
    w.VerticalGuides() = {0.5, 1};
    w.HorizontalGuides() = {0.5};
    // The first click of the pair makes a guide that its release over the ruler deletes.
    click(PixelPoint{5, 100});
    ASSERT_EQ(w.VerticalGuides().size(), 2u);
    host.answers = {MessageAnswer::No};
    w.MouseDown({{5, 100}, MouseButton::Left, ssLeft | ssDouble});
    up(PixelPoint{5, 100});
    EXPECT_EQ(host.messages, std::vector<std::string>{message(msgClrGuide)});
    EXPECT_EQ(w.VerticalGuides().size(), 2u);
    host.answers = {MessageAnswer::Yes};
    w.MouseDown({{5, 100}, MouseButton::Left, ssLeft | ssDouble});
    up(PixelPoint{5, 100});
    EXPECT_TRUE(w.VerticalGuides().empty());
    EXPECT_EQ(w.HorizontalGuides().size(), 1u);
}

TEST_F(ZoomByMouse, ClickDoublesRightClickHalvesDragFits) {
    w.SetTool(ToolKind::Zoom);
    click(px({1, 1}));
    EXPECT_EQ(w.Scale(), 200);
    EXPECT_TRUE(coordNear(w.ViewCenter(), {1, 1}, 0.01));
    click(px({1, 1}), 0, MouseButton::Right);
    EXPECT_EQ(w.Scale(), 100);
    EXPECT_TRUE(host.menus.empty()); // the zoom tool opens no menu
    TCvOptions other = o;            // the scale lives in the options
    TCvWindow fitted(&other);
    fitted.Resize(413, 313);
    fitted.HandleCreated();
    fitted.FitRect({-1, 1, 1, -0.5});
    const double expected = fitted.Scale();
    dragU({-1, 1}, {1, -0.5});
    EXPECT_EQ(w.Scale(), expected);
    EXPECT_TRUE(coordNear(w.ViewCenter(), {0, 0.25}, 0.02));
}

TEST_F(ZoomByMouse, MiddleButtonLendsTheZoomToolAndGivesTheToolBack) {
    w.Document.Lines = {polyline({{0, 0}, {1, 1}})};
    w.Document.SelectAll();
    const TCvCoord pivot{0.25, 0.75};
    w.Document.Pivot = pivot;
    moveTo(px({0.5, 0.5}));
    w.MouseDown({px({0.5, 0.5}), MouseButton::Middle, ssMiddle});
    EXPECT_EQ(w.Tool(), ToolKind::Zoom);
    EXPECT_EQ(w.DragState(), DragKind::RubberBand);
    up(px({0.5, 0.5}), MouseButton::Middle);
    EXPECT_EQ(w.Scale(), 200);
    EXPECT_EQ(w.Tool(), ToolKind::Object);
    EXPECT_EQ(w.Document.Pivot, pivot); // lending the tool moved nothing
    // With the right button held too the click halves.
    w.MouseDown({px({0.5, 0.5}), MouseButton::Middle, ssMiddle});
    w.MouseUp({px({0.5, 0.5}), MouseButton::Middle, ssRight});
    EXPECT_EQ(w.Scale(), 100);
}

} // namespace
