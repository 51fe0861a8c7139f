// When the Anchor menu's items are enabled, from the anchors selected on a real canvas.
#include "RecordingShell.h"
#include "canvas/MouseDriver.h"
#include "shell/CommandRunner.h"
#include "shell/CommandTable.h"
#include "testing.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace plumex;
using plumex::testing::polyline;

namespace {

const char* const AnchorItems[] = {"JoinAnchor1",     "JoinAnchor2",   "JoinAnchor3",
                                   "CutAnchor1",      "RemoveAnchor1", "DoubleAnchor1",
                                   "MinimizeAnchor1", "Curve1",        "UnCurve1",
                                   "ReverseHandle1",  "CopyHandle1",   "PasteHandle1"};

struct AnchorMenuRules : plumex::testing::MouseFixture {
    plumex::testing::RecordingShell shell{w};
    CommandRunner runner{w, shell};
    void SetUp() override {
        MouseFixture::SetUp();
        w.Document.Lines = {polyline({{0, 0}, {1, 0}, {2, 0}}), polyline({{3, 0}, {4, 0}}),
                            polyline({{0, 2}, {1, 3}, {2, 2}}, true)};
    }
    void select(int path, int anchor) {
        TCvLine& l = w.Document.Lines[static_cast<std::size_t>(path)];
        l.points[static_cast<std::size_t>(anchor)].selected = 1;
        l.UpdateSelected();
        w.Document.SelectionChanged();
    }
    // The items of the Anchor menu that are enabled now.
    std::set<std::string> enabledItems() {
        const MenuState s = runner.state();
        std::set<std::string> on;
        for (const char* name : AnchorItems)
            if (runner.enabled(command(name), s)) on.insert(name);
        return on;
    }
};

const std::set<std::string> PathItems = {"DoubleAnchor1", "MinimizeAnchor1", "Curve1", "UnCurve1",
                                         "ReverseHandle1"};

std::set<std::string> with(std::set<std::string> items, std::initializer_list<const char*> more) {
    items.insert(more.begin(), more.end());
    return items;
}

} // namespace

TEST_F(AnchorMenuRules, ItemsFollowTheSelectedAnchorsAndTheTool) {
    EXPECT_TRUE(enabledItems().empty());
    // One end anchor: nothing to join it with, nothing to split; its handles can be copied.
    select(0, 2);
    EXPECT_EQ(enabledItems(), with(PathItems, {"JoinAnchor3", "CopyHandle1"}));
    w.SetTool(ToolKind::Anchor);
    EXPECT_EQ(enabledItems(), with(PathItems, {"JoinAnchor3", "CopyHandle1", "RemoveAnchor1"}));
    ASSERT_TRUE(w.CopyHandle());
    EXPECT_TRUE(enabledItems().contains("PasteHandle1"));
    // Two ends: joinable, but no longer a single anchor for the handles.
    select(1, 0);
    EXPECT_EQ(enabledItems(),
              with(PathItems, {"JoinAnchor1", "JoinAnchor2", "JoinAnchor3", "RemoveAnchor1"}));
    // A third end with no partner at its position: the join has no pair to take.
    select(1, 1);
    EXPECT_FALSE(enabledItems().contains("JoinAnchor1"));
    // An inner anchor splits its path.
    select(0, 1);
    EXPECT_TRUE(enabledItems().contains("CutAnchor1"));
}

TEST_F(AnchorMenuRules, ClosedPathsSeparateAtAnyAnchorButNeverJoinNear) {
    select(2, 0);
    const std::set<std::string> on = enabledItems();
    EXPECT_TRUE(on.contains("CutAnchor1"));
    EXPECT_FALSE(on.contains("JoinAnchor3"));
    EXPECT_FALSE(on.contains("JoinAnchor1"));
}
