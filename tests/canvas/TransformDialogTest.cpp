// The Object menu's transforms through the canvas: what each asks its dialog, what it does
// with the answer, and that one undo step restores the drawing.

#include "FakeHost.h"
#include "canvas/Window.h"
#include "testing.h"

#include <gtest/gtest.h>

#include <functional>

using namespace plumex;
using plumex::testing::coordNear;
using plumex::testing::polyline;

namespace {

// Answers each dialog from a script and keeps what it was asked.
class DialogHost : public plumex::testing::FakeHost {
public:
    std::optional<MoveAnswer> move;
    std::optional<ExpandAnswer> expand;
    std::optional<RotateAnswer> rotate;
    std::optional<ShearAnswer> shear;
    std::optional<AlignAnswer> align;
    std::optional<MoveRequest> moveAsked;
    std::optional<OriginRequest> originAsked;
    std::optional<ShearRequest> shearAsked;
    std::optional<AlignRequest> alignAsked;

    std::optional<MoveAnswer> runMoveDialog(const MoveRequest& r) override {
        moveAsked = r;
        return move;
    }
    std::optional<ExpandAnswer> runExpandDialog(const OriginRequest& r) override {
        originAsked = r;
        return expand;
    }
    std::optional<RotateAnswer> runRotateDialog(const OriginRequest& r) override {
        originAsked = r;
        return rotate;
    }
    std::optional<ShearAnswer> runShearDialog(const ShearRequest& r) override {
        shearAsked = r;
        return shear;
    }
    std::optional<AlignAnswer> runAlignDialog(const AlignRequest& r) override {
        alignAsked = r;
        return align;
    }
};

struct TransformDialogs : ::testing::Test {
    TCvOptions o;
    TCvWindow w{&o};
    DialogHost host;
    std::vector<TCvLine> saved;
    int changes = 0;

    void SetUp() override {
        w.SetHost(&host);
        w.OnChange = [this](TCvWindow&) { ++changes; };
        TCvDocument& d = w.Document;
        d.Lines = {polyline({{0, 0}, {2, 0}, {2, 1}}), polyline({{5, 5}, {6, 6}})};
        d.Lines[0].name = "a";
        d.Lines[1].name = "b";
        d.Lines[0].SelectAll(true);
        d.SelectionChanged();
        saved = d.Lines;
    }
    // One undo step brings back the drawing as it was.
    void expectOneUndoRestores() {
        EXPECT_TRUE(w.Undo());
        EXPECT_EQ(w.Document.Lines, saved);
        EXPECT_FALSE(w.Document.UndoBuffer.CanUndo());
    }
    void expectUntouched() {
        EXPECT_EQ(w.Document.Lines, saved);
        EXPECT_FALSE(w.Document.UndoBuffer.CanUndo());
        EXPECT_EQ(changes, 0);
    }
};

} // namespace

TEST_F(TransformDialogs, MoveObjectsAppliesTheOffset) {
    host.move = MoveAnswer{{2, 3}, false};
    ASSERT_TRUE(w.MoveDialog());
    EXPECT_FALSE(host.moveAsked->anchorMode);
    EXPECT_EQ(host.moveAsked->layout, MoveLayout::Full);
    EXPECT_EQ(host.moveAsked->reference, (TCvRect{0, 1, 2, 0}));
    EXPECT_EQ(w.Document.Lines[0].FirstAnchor(), (TCvCoord{2, 3}));
    EXPECT_EQ(w.Document.Pivot, (TCvCoord{3, 3.5}));
    EXPECT_EQ(w.Document.Lines[1], saved[1]);
    EXPECT_EQ(changes, 1);
    expectOneUndoRestores();
}

TEST_F(TransformDialogs, MoveCopyAppendsMovedCopies) {
    host.move = MoveAnswer{{0, -4}, true};
    ASSERT_TRUE(w.MoveDialog());
    ASSERT_EQ(w.Document.Lines.size(), 3u);
    TCvLine source = saved[0];
    source.SelectAll(false);
    EXPECT_EQ(w.Document.Lines[0], source);
    EXPECT_EQ(w.Document.Lines[2].name, "a");
    EXPECT_TRUE(w.Document.Lines[2].selected);
    EXPECT_EQ(w.Document.Lines[2].FirstAnchor(), (TCvCoord{0, -4}));
    expectOneUndoRestores();
}

TEST_F(TransformDialogs, MoveThatDoesNothingRecordsNothing) {
    w.MoveDialog(); // cancelled
    host.move = MoveAnswer{{0, 0}, false};
    w.MoveDialog();
    w.Document.DeselectAll();
    saved = w.Document.Lines;
    host.move = MoveAnswer{{1, 1}, false};
    host.moveAsked.reset();
    EXPECT_FALSE(w.MoveDialog());
    EXPECT_FALSE(host.moveAsked); // no selection: not even asked
    expectUntouched();
}

TEST_F(TransformDialogs, MoveAnchorsInAnchorMode) {
    w.SetTool(ToolKind::Anchor);
    TCvLine& a = w.Document.Lines[0];
    a.points[0].selected = a.points[1].selected = 1;
    a.points[2].selected = 0;
    w.Document.SelectionChanged();
    saved = w.Document.Lines;
    host.move = MoveAnswer{{0, 1}, true}; // Copy: the selected run, moved; the source stays
    ASSERT_TRUE(w.MoveDialog());
    EXPECT_TRUE(host.moveAsked->anchorMode);
    EXPECT_TRUE(host.moveAsked->canCopy);
    EXPECT_EQ(host.moveAsked->layout, MoveLayout::RelativeOnly);
    ASSERT_EQ(w.Document.Lines.size(), saved.size() + 1);
    EXPECT_EQ(w.Document.Lines[0].points[1].anchor, (TCvCoord{2, 0}));
    const TCvLine& piece = w.Document.Lines.back();
    ASSERT_EQ(piece.count(), 2);
    EXPECT_EQ(piece.points[0].anchor, (TCvCoord{0, 1}));
    EXPECT_EQ(piece.points[1].anchor, (TCvCoord{2, 1}));
    EXPECT_EQ(w.Document.CountSelected(), 1);
    expectOneUndoRestores();

    host.move = MoveAnswer{{0, 1}, false};
    ASSERT_TRUE(w.MoveDialog());
    EXPECT_EQ(w.Document.Lines[0].points[1].anchor, (TCvCoord{2, 1}));
    EXPECT_EQ(w.Document.Lines[0].points[2].anchor, (TCvCoord{2, 1}));
    expectOneUndoRestores();
}

TEST_F(TransformDialogs, MoveReferenceIsTheGivenOrTheOnlyAnchor) {
    w.MoveDialog(TCvCoord{2, 1});
    EXPECT_EQ(host.moveAsked->reference, TCvRect(TCvCoord{2, 1}));
    EXPECT_EQ(host.moveAsked->layout, MoveLayout::Point);

    // One selected anchor: it is the reference, not the bounds of its whole path.
    w.SetTool(ToolKind::Anchor);
    for (TCvPoint& p : w.Document.Lines[0].points) p.selected = 0;
    w.Document.Lines[0].points[1].selected = 1;
    w.MoveDialog();
    EXPECT_EQ(host.moveAsked->reference, TCvRect(TCvCoord{2, 0}));
    EXPECT_EQ(host.moveAsked->layout, MoveLayout::Point);
}

TEST_F(TransformDialogs, ExpandAboutTheAnsweredOriginMovesPathsLast) {
    host.expand = ExpandAnswer{2, 3, {0, 0}, false};
    ASSERT_TRUE(w.ExpandDialog());
    EXPECT_TRUE(host.originAsked->objectTool);
    EXPECT_EQ(host.originAsked->pivot, (TCvCoord{1, 0.5}));
    EXPECT_EQ(w.Document.Lines[1].name, "a");
    EXPECT_EQ(w.Document.Lines[1].points[2].anchor, (TCvCoord{4, 3}));
    expectOneUndoRestores();
}

TEST_F(TransformDialogs, ExpandByZeroDoesNothing) {
    host.expand = ExpandAnswer{0, 0, {0, 0}, false};
    EXPECT_FALSE(w.ExpandDialog());
    w.SetTool(ToolKind::Anchor);
    w.ExpandDialog();
    EXPECT_FALSE(host.originAsked->objectTool);
    expectUntouched();
}

TEST_F(TransformDialogs, RotateNinetyIsExactAndKeepsListPlaces) {
    host.rotate = RotateAnswer{90, {1, 0}, false};
    ASSERT_TRUE(w.RotateDialog());
    EXPECT_EQ(w.Document.Lines[0].name, "a");
    // Clockwise with y up: (2, 0) about (1, 0) goes to (1, -1), exactly.
    EXPECT_EQ(w.Document.Lines[0].points[1].anchor, (TCvCoord{1, -1}));
    EXPECT_EQ(w.Document.Lines[0].points[2].anchor, (TCvCoord{2, -1}));
    expectOneUndoRestores();
}

TEST_F(TransformDialogs, ShearPresetFromTheHoverZone) {
    const std::pair<HoverZone, ShearPreset> zones[] = {
        {HoverZone::ShearLeft, ShearPreset::Vertical},
        {HoverZone::ShearTop, ShearPreset::Horizontal},
        {HoverZone::ShearRight, ShearPreset::Vertical},
        {HoverZone::ShearBottom, ShearPreset::Horizontal},
        {HoverZone::Centre, ShearPreset::Keep},
        {HoverZone::None, ShearPreset::Keep}};
    for (auto [zone, preset] : zones) {
        w.ShearDialog(zone);
        EXPECT_EQ(host.shearAsked->direction, preset) << static_cast<int>(zone);
    }
    expectUntouched();
}

TEST_F(TransformDialogs, ShearAppliesAcceptedAnglesOnly) {
    host.shear = ShearAnswer{90, false, {0, 0}, false};
    EXPECT_FALSE(w.ShearDialog());
    host.shear = ShearAnswer{45, true, {0, 0}, false};
    ASSERT_TRUE(w.ShearDialog());
    // Vertical: y moves by -tan(45) * x.
    EXPECT_TRUE(coordNear(w.Document.Lines[1].points[1].anchor, {2, -2}, 1e-12));
    expectOneUndoRestores();
}

TEST_F(TransformDialogs, AlignAnchorsOrObjectsByTool) {
    TCvDocument& d = w.Document;
    d.Lines[1].SelectAll(true);
    d.SelectionChanged();
    saved = d.Lines;
    EXPECT_FALSE(w.AlignDialog()); // cancelled
    EXPECT_FALSE(host.alignAsked->anchorTitle);

    host.align = AlignAnswer{Align::Near, Align::None};
    ASSERT_TRUE(w.AlignDialog());
    EXPECT_EQ(d.Lines[1].FirstAnchor(), (TCvCoord{0, 5}));
    expectOneUndoRestores();

    // Anchors at x = 0, 2, 2: Center takes their mean.
    w.SetTool(ToolKind::Anchor);
    d.Lines[1].SelectAll(false);
    d.SelectionChanged();
    saved = d.Lines;
    host.align = AlignAnswer{Align::Centre, Align::None};
    ASSERT_TRUE(w.AlignDialog());
    EXPECT_TRUE(host.alignAsked->anchorTitle);
    for (const TCvPoint& p : d.Lines[0].points) EXPECT_DOUBLE_EQ(p.anchor.x, 4.0 / 3);
    expectOneUndoRestores();
}

TEST_F(TransformDialogs, PresetsRecordOneStepEach) {
    const std::pair<std::function<bool()>, TCvCoord> presets[] = {
        {[&] { return w.PresetMove(0); }, {-1, -0.5}},
        {[&] { return w.PresetExpand(0); }, {-1, -0.5}},
        {[&] { return w.PresetExpand(1); }, {0.5, 0.25}},
        {[&] { return w.PresetExpand(3); }, {0.5, 0.25}},
        {[&] { return w.PresetRotate(0); }, {1.5, -0.5}}, // anticlockwise
        {[&] { return w.PresetRotate(1); }, {0.5, 1.5}},  // clockwise
        {[&] { return w.FlipSelection(FlipAxis::Horizontal); }, {2, 0}},
        {[&] { return w.FlipSelection(FlipAxis::Vertical); }, {0, 1}},
    };
    int n = 0;
    for (const auto& [run, first] : presets) {
        SCOPED_TRACE(n++);
        ASSERT_TRUE(run());
        const TCvLine& a =
            w.Document.Lines.back().name == "a" ? w.Document.Lines.back() : w.Document.Lines[0];
        EXPECT_TRUE(coordNear(a.FirstAnchor(), first, 1e-12));
        expectOneUndoRestores();
        w.Document.UndoBuffer.Clear();
    }
}

TEST_F(TransformDialogs, PresetsWithoutEffectRecordNothing) {
    EXPECT_FALSE(w.PresetMove(1)); // the corner is at the origin already
    w.Document.Lines[0] = polyline({{0, 2}, {3, 2}});
    w.Document.Lines[0].SelectAll(true);
    w.Document.SelectionChanged();
    saved = w.Document.Lines;
    EXPECT_FALSE(w.PresetExpand(2)); // a flat line has no height to scale to 1
    expectUntouched();
}

// Expanding sends the selected paths to the end of the list; the pen tool must keep drawing on
// its own path, not on whatever took its place.
TEST_F(TransformDialogs, PenPathFollowsItsPathToTheEnd) {
    w.SetTool(ToolKind::Pen);
    w.Document.Lines[0].SelectAll(true);
    w.Document.SelectionChanged();
    w.SetPenPath(0);
    ASSERT_TRUE(w.PresetExpand(0));
    EXPECT_EQ(w.PenPath(), 1);
    EXPECT_EQ(w.Document.Lines[1].name, "a");

    // Now "b" is flipped: it goes last and the unselected "a" moves up.
    w.Document.Lines[1].SelectAll(false);
    w.Document.Lines[0].SelectAll(true);
    w.Document.SelectionChanged();
    ASSERT_TRUE(w.FlipSelection(FlipAxis::Horizontal));
    EXPECT_EQ(w.PenPath(), 0);
    EXPECT_EQ(w.Document.Lines[0].name, "a");

    host.expand = ExpandAnswer{2, 2, {0, 0}, true}; // copies leave every source in place
    w.SetPenPath(1);
    ASSERT_TRUE(w.ExpandDialog());
    EXPECT_EQ(w.PenPath(), 1);
}
