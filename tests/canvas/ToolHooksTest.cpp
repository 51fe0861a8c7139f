// The window asks the current tool for its cursor, its anchor hits and what it keeps of the
// selection when it is chosen.
#include "canvas/Window.h"

#include "FakeHost.h"
#include "testing.h"

using namespace plumex;
using plumex::testing::polyline;

namespace {

struct ToolHooksFixture : ::testing::Test {
    TCvOptions options;
    TCvWindow w{&options};
    plumex::testing::FakeHost host;

    void SetUp() override {
        w.SetHost(&host);
        w.Resize(813, 613);
        w.HandleCreated();
        w.Document.Lines.push_back(polyline({{-1, 0}, {0, 0}, {1, 1}}));
    }

    void hover(TCvCoord at) { w.MouseMove({w.UnitToPixel(at), MouseButton::None, 0}); }
};

} // namespace

TEST_F(ToolHooksFixture, EachToolShowsItsOwnCursorAndTheMiddleButtonLendsTheMagnifier) {
    const CursorShape expected[ToolCount] = {
        CursorShape::SelLine, CursorShape::Arrow, CursorShape::PenTool, CursorShape::Rect,
        CursorShape::Ellipse, CursorShape::Text,  CursorShape::MagTool};
    for (int t = 0; t < ToolCount; ++t) {
        w.SetTool(static_cast<ToolKind>(t));
        EXPECT_EQ(host.cursor, expected[t]) << "tool " << t;
    }
    w.SetTool(ToolKind::Pen);
    const PixelPoint p = w.UnitToPixel({3, 3});
    w.MouseDown({p, MouseButton::Middle, ssMiddle});
    EXPECT_EQ(host.cursor, CursorShape::MagTool);
    w.MouseUp({p, MouseButton::Middle, 0});
    EXPECT_EQ(w.Tool(), ToolKind::Pen);
    EXPECT_EQ(host.cursor, CursorShape::PenTool);
}

TEST_F(ToolHooksFixture, OnlyTheEditingToolsHitAnchorsAndThePenOnlyOpenEnds) {
    w.SetTool(ToolKind::Anchor);
    hover({0, 0});
    EXPECT_EQ(host.cursor, CursorShape::Snap);
    w.SetTool(ToolKind::Pen);
    hover({0, 0}); // a middle anchor: the pen cannot continue there
    EXPECT_EQ(host.cursor, CursorShape::PenTool);
    hover({1, 1});
    EXPECT_EQ(host.cursor, CursorShape::SnapPen);
    w.SetTool(ToolKind::Rect);
    hover({1, 1});
    EXPECT_EQ(host.cursor, CursorShape::Rect);
}

TEST_F(ToolHooksFixture, ChoosingAToolKeepsSingleAnchorsOnlyForTheAnchorTools) {
    TCvLine& line = w.Document.Lines[0];
    line.selected = 1;
    line.points[1].selected = 1;
    w.Document.SelectionChanged();
    w.SetTool(ToolKind::Anchor);
    w.SetTool(ToolKind::Zoom);
    EXPECT_FALSE(w.Document.Lines[0].points[0].selected);
    EXPECT_TRUE(w.Document.Lines[0].points[1].selected);
    w.SetTool(ToolKind::Object);
    EXPECT_TRUE(w.Document.Lines[0].points[0].selected);
}

TEST_F(ToolHooksFixture, TheObjectToolPutsThePivotBackAtTheSelectionsCentre) {
    w.Document.SelectAll();
    w.SetTool(ToolKind::Anchor);
    w.Document.Pivot = {5, 5};
    w.SetTool(ToolKind::Object);
    EXPECT_DOUBLE_EQ(w.Document.Pivot.x, 0);
    EXPECT_DOUBLE_EQ(w.Document.Pivot.y, 0.5);
}
