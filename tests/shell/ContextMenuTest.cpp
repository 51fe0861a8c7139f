// The canvas's context menu as the table builds it, opened and answered through the canvas.

#include "RecordingShell.h"
#include "canvas/MouseDriver.h"
#include "shell/CommandRunner.h"
#include "shell/CommandTable.h"
#include "testing.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace plumex;
using plumex::testing::polyline;

namespace {

// Scale 100 with the origin at pixel (213, 163).
struct ContextMenu : plumex::testing::MouseFixture {
    plumex::testing::RecordingShell shell{w};
    CommandRunner runner{w, shell};
    TCvLine square = polyline({{0, 0}, {1, 0}, {1, 1}, {0, 1}}, true);
    void SetUp() override {
        MouseFixture::SetUp();
        w.Document.Lines = {square};
        w.SetContextMenuSource(&runner);
    }
    // The names of the last menu's entries, "-" for separators, "~" before disabled ones.
    std::vector<std::string> lastMenu() const {
        std::vector<std::string> names;
        for (const MenuEntry& e : host.menus.back()) {
            if (e.separator) {
                names.push_back("-");
                continue;
            }
            const Command& c = commandTable()[static_cast<std::size_t>(e.command)];
            names.push_back((e.enabled ? "" : "~") + std::string(c.name));
        }
        return names;
    }
    int entry(std::string_view name) const { return commandIndex(command(name)); }
};

TEST_F(ContextMenu, ObjectToolOnASelectedAnchor) {
    w.Document.Lines.push_back(polyline({{2, 0}, {3, 0}}));
    w.Document.Lines[1].locked = 1;
    host.menuAnswer = entry("Lock1");
    // The right click selects the path of the anchor under it before the menu opens.
    click(px({1, 1}), 0, MouseButton::Right);
    ASSERT_EQ(host.menus.size(), 1u);
    EXPECT_EQ(lastMenu(), (std::vector<std::string>{"MoveThisPt",
                                                    "CopyHandleThis",
                                                    "-",
                                                    "InputMove1",
                                                    "InputExpand1",
                                                    "InputRotate1",
                                                    "Shear1",
                                                    "Dupe1",
                                                    "-",
                                                    "Lock1",
                                                    "Hide1",
                                                    "LayerFront1",
                                                    "LayerBack1",
                                                    "-",
                                                    "Property1",
                                                    "-",
                                                    "UnLock1",
                                                    "ZoomIn1",
                                                    "ZoomOut1",
                                                    "ZoomFitSel1"}));
    // Captions lose their accelerator suffix; "Move" is the submenu's caption, not the item's.
    const MenuEntry& move = host.menus[0][3];
    EXPECT_EQ(move.caption, "&Move");
    EXPECT_EQ(host.menus[0][14].caption, "&Property");
    EXPECT_EQ(host.menus[0][17].caption, "Zoom &In");
    // The chosen command ran on the path the click selected.
    EXPECT_TRUE(w.Document.Lines[0].locked);
    EXPECT_EQ(w.DragState(), DragKind::Idle);
}

TEST_F(ContextMenu, NothingSelectedLeavesTheViewItems) {
    click(px({3, 3}), 0, MouseButton::Right);
    EXPECT_EQ(lastMenu(), (std::vector<std::string>{"ZoomIn1", "ZoomOut1"}));
    // Zooming from the menu keeps the centre.
    const TCvCoord centre = w.ViewCenter();
    host.menuAnswer = entry("ZoomIn1");
    click(px({3, 3}), 0, MouseButton::Right);
    EXPECT_DOUBLE_EQ(w.Scale(), 200);
    EXPECT_TRUE(plumex::testing::coordNear(w.ViewCenter(), centre, 0.01));
}

TEST_F(ContextMenu, AnchorToolOffersTheAnchorCommands) {
    w.SetTool(ToolKind::Anchor);
    w.Document.Lines.push_back(polyline({{2, 0}, {3, 0}, {4, 0}}));
    w.Document.Lines[1].points[1].selected = 1;
    w.Document.Lines[1].points[2].selected = 1;
    w.Document.Lines[1].selected = 1;
    w.Document.SelectionChanged();
    click(px({3, 0}), ssShift, MouseButton::Right);
    // Two anchors selected, one under the mouse; the open path can be joined near and split.
    EXPECT_EQ(lastMenu(), (std::vector<std::string>{"MoveThisPt", "CopyHandleThis", "-",
                                                    "InputMove1", "JoinAnchor3", "CutAnchor1", "-",
                                                    "ZoomIn1", "ZoomOut1", "ZoomFitSel1"}));
}

// Joins only when there is a pair of ends; the handle items act on the anchor under the click.
TEST_F(ContextMenu, AnchorToolJoinsAndCopiesHandlesOfTheAnchorUnderTheClick) {
    w.SetTool(ToolKind::Anchor);
    w.Document.Lines = {polyline({{-1, 0}, {1, 0}}), polyline({{1.05, 0}, {2, 1}})};
    auto select = [&](std::size_t path, std::size_t anchor) {
        w.Document.Lines[path].points[anchor].selected = 1;
        w.Document.Lines[path].UpdateSelected();
        w.Document.SelectionChanged();
    };
    select(0, 0);
    select(1, 1);
    click(px({3, 3}), 0, MouseButton::Right); // over nothing
    EXPECT_EQ(lastMenu(),
              (std::vector<std::string>{"InputMove1", "JoinAnchor1", "JoinAnchor2", "JoinAnchor3",
                                        "-", "ZoomIn1", "ZoomOut1", "ZoomFitSel1"}));
    w.Document.DeselectAll();
    select(0, 1);
    w.Document.Lines[0].points[1].outHandle = {1.5, 0.5};
    w.Document.Lines[0].points[1].inHandle = {0.5, -0.5};
    host.menuAnswer = entry("CopyHandleThis");
    click(px({1, 0}), 0, MouseButton::Right);
    EXPECT_EQ(lastMenu(),
              (std::vector<std::string>{"CopyHandleThis", "-", "InputMove1", "JoinAnchor3", "-",
                                        "ZoomIn1", "ZoomOut1", "ZoomFitSel1"}));
    ASSERT_TRUE(w.HasHandleClipboard());
    EXPECT_FALSE(w.Document.IsModified());
    // The right click selects (2, 1) alone; the copied handles land on it, relative to it.
    host.menuAnswer = entry("PasteHandleThis");
    click(px({2, 1}), 0, MouseButton::Right);
    const std::vector<std::string> menu = lastMenu();
    EXPECT_NE(std::find(menu.begin(), menu.end(), "PasteHandleThis"), menu.end());
    EXPECT_EQ(std::find(menu.begin(), menu.end(), "JoinAnchor1"), menu.end());
    const TCvPoint& p = w.Document.Lines[1].points[1];
    EXPECT_EQ(p.outHandle, (TCvCoord{2.5, 1.5}));
    EXPECT_EQ(p.inHandle, (TCvCoord{1.5, 0.5}));
    EXPECT_TRUE(w.Document.IsModified());
}

// The anchor the menu was opened on is the reference, even though the hovered anchor is
// forgotten before any command runs.
TEST_F(ContextMenu, MoveByThisAnchorUsesTheAnchorUnderTheClick) {
    w.Document.SelectAll();
    w.Document.SelectionChanged();
    host.menuAnswer = entry("MoveThisPt");
    click(px({1, 0}), 0, MouseButton::Right);
    ASSERT_TRUE(host.moveRequest);
    EXPECT_EQ(host.moveRequest->reference.left, 1);
    EXPECT_EQ(host.moveRequest->reference.bottom, 0);
}

// The right button is held over an anchor while a shortcut undoes its path away.
TEST_F(ContextMenu, AnAnchorTakenAwayIsNotOffered) {
    w.Document.Lines = {square, polyline({{2, 0}, {3, 0}})};
    w.Document.Lines[1].SelectAll(true);
    w.Document.UndoBuffer.Record({square}, w.Document.Pivot, -1);
    moveU({3, 0});
    ASSERT_TRUE(w.Hover().anchor);
    down(px({3, 0}), MouseButton::Right);
    ASSERT_TRUE(runner.runShortcut(scCtrl | 'Z'));
    host.menuAnswer = entry("MoveThisPt");
    up(px({3, 0}), MouseButton::Right);
    ASSERT_EQ(host.menus.size(), 1u);
    for (const std::string& name : lastMenu()) EXPECT_NE(name, "MoveThisPt");
    EXPECT_FALSE(host.moveRequest);
}

} // namespace
