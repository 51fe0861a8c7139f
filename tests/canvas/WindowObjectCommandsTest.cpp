#include "canvas/Window.h"

#include "FakeHost.h"
#include "testing.h"

using namespace plumex;
using plumex::testing::polyline;

namespace {

struct ObjectCommandFixture : ::testing::Test {
    TCvOptions o;
    TCvWindow w{&o};
    plumex::testing::FakeHost host;
    int changes = 0;
    void SetUp() override {
        w.SetHost(&host);
        w.Resize(400, 300);
        w.HandleCreated();
        w.OnChange = [this](TCvWindow&) { ++changes; };
        w.Document.Lines = {polyline({{0, 0}, {1, 0}}), polyline({{0, 1}, {1, 1}})};
    }
};

} // namespace

TEST_F(ObjectCommandFixture, DupeThenMoveLeavesTheSourceInPlace) {
    w.Document.Lines[0].SelectAll(true);
    ASSERT_TRUE(w.Dupe());
    EXPECT_EQ(changes, 1);
    ASSERT_EQ(w.Document.Lines.size(), 3u);
    o.SnapGrid = false;
    w.MoveSelectionByKey(KeyMove::Right, KeyStep::Normal);
    EXPECT_EQ(w.Document.Lines[0].FirstAnchor(), (TCvCoord{0, 0}));
    EXPECT_GT(w.Document.Lines[2].FirstAnchor().x, 0);
    EXPECT_EQ(w.Document.Lines[0].selected, 0);
    // Undo goes back past the move and then removes the copy.
    ASSERT_TRUE(w.Undo());
    ASSERT_TRUE(w.Undo());
    EXPECT_EQ(w.Document.Lines.size(), 2u);
}

TEST_F(ObjectCommandFixture, LayerWithEverythingSelectedDoesNothing) {
    w.Document.SelectAll();
    EXPECT_FALSE(w.LayerFront());
    EXPECT_FALSE(w.LayerBack());
    EXPECT_FALSE(w.Document.IsModified());
    EXPECT_EQ(changes, 0);
    w.Document.Lines[1].SelectAll(false);
    ASSERT_TRUE(w.LayerFront());
    EXPECT_EQ(w.Document.Lines[1].FirstAnchor(), (TCvCoord{0, 0}));
    EXPECT_EQ(w.Document.Lines[1].selected, 1);
}

TEST_F(ObjectCommandFixture, DeleteAndDeleteSegmentRepaintAndUndo) {
    w.SetTool(ToolKind::Anchor);
    w.Document.Lines[1].points[0].selected = 1;
    w.Document.Lines[1].UpdateSelected();
    host.invalidated.clear();
    ASSERT_TRUE(w.DeleteSegments()); // an end anchor alone ends no removable segment
    EXPECT_EQ(w.Document.Lines.size(), 2u);
    EXPECT_FALSE(host.invalidated.empty());
    // The piece comes back fully selected, so Delete now takes the whole path.
    EXPECT_EQ(w.Document.Lines[1].points[1].selected, 1);
    ASSERT_TRUE(w.DeleteSelection());
    ASSERT_EQ(w.Document.Lines.size(), 1u);
    ASSERT_TRUE(w.Undo());
    EXPECT_EQ(w.Document.Lines.size(), 2u);
    w.Document.DeselectAll();
    EXPECT_FALSE(w.DeleteSelection());
}

// Undo and Redo of a one-path edit on a large drawing repaint that path's area and the
// selection helper's, not the window.
TEST_F(ObjectCommandFixture, UndoOfAOnePathEditRepaintsOnlyAroundThatPath) {
    std::vector<TCvLine> lines;
    for (int i = 0; i < 2000; ++i) {
        const double x = -1.8 + 0.09 * (i % 40), y = -1.3 + 0.05 * (i / 40);
        lines.push_back(polyline({{x, y}, {x + 0.05, y + 0.02}}));
    }
    w.Document.Lines = lines;
    w.Document.Lines[777].SelectAll(true);
    w.Document.SelectionChanged();
    o.SnapGrid = false;
    w.MoveSelectionByKey(KeyMove::Right, KeyStep::Normal);
    const PixelPoint before = w.UnitToPixel(lines[777].FirstAnchor());
    const PixelPoint after = w.UnitToPixel(w.Document.Lines[777].FirstAnchor());
    for (bool undo : {true, false, true}) {
        host.invalidated.clear();
        ASSERT_TRUE(undo ? w.Undo() : w.Redo());
        ASSERT_FALSE(host.invalidated.empty());
        long long area = 0;
        bool coversBefore = false, coversAfter = false;
        for (const PixelRect& r : host.invalidated) {
            area += static_cast<long long>(r.width()) * r.height();
            const auto covers = [&](PixelPoint p) {
                return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
            };
            coversBefore = coversBefore || covers(before);
            coversAfter = coversAfter || covers(after);
        }
        EXPECT_LT(area, 400 * 300 / 4);
        EXPECT_TRUE(coversBefore && coversAfter);
    }
}
