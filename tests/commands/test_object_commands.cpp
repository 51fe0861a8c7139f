#include "commands/ObjectCommands.h"
#include "testing.h"

using namespace plumex;
using plumex::testing::polyline;

namespace {

TCvLine row(int n, bool closed = false) {
    TCvLine line;
    for (int i = 0; i < n; ++i)
        line.points.emplace_back(TCvCoord{double(i), 0}, TCvCoord{double(i), 0},
                                 TCvCoord{double(i), 0});
    line.closed = closed;
    return line;
}

TCvLine selecting(TCvLine line, std::initializer_list<int> anchors) {
    for (int i : anchors) line.points[static_cast<std::size_t>(i)].selected = 1;
    line.UpdateSelected();
    return line;
}

std::vector<double> xs(const TCvLine& line) {
    std::vector<double> out;
    for (const TCvPoint& p : line.points) out.push_back(p.anchor.x);
    return out;
}

using X = std::vector<double>;

} // namespace

TEST(DeleteSelection, SplitsPathsAtTheSelectedAnchors) {
    const auto middle = piecesWithoutSelectedAnchors(selecting(row(3), {1}));
    ASSERT_EQ(middle.size(), 2u);
    EXPECT_EQ(xs(middle[0]), X{0});
    EXPECT_EQ(xs(middle[1]), X{2});
    for (const TCvLine& p : middle) {
        EXPECT_EQ(p.selected, 1);
        EXPECT_EQ(p.closed, 0);
        EXPECT_EQ(p.points[0].selected, 1);
    }
    // One anchor out of a closed four: an open run from the anchor after it.
    const auto ring = piecesWithoutSelectedAnchors(selecting(row(4, true), {1}));
    ASSERT_EQ(ring.size(), 1u);
    EXPECT_EQ(xs(ring[0]), (X{2, 3, 0}));
    EXPECT_EQ(ring[0].closed, 0);
    EXPECT_TRUE(piecesWithoutSelectedAnchors(selecting(row(3), {0, 1, 2})).empty());
}

TEST(DeleteSegments, KeepsAnchorsThatStillEndASegment) {
    const auto two = piecesWithoutSelectedSegments(selecting(row(4), {1, 2}));
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(xs(two[0]), (X{0, 1}));
    EXPECT_EQ(xs(two[1]), (X{2, 3}));
    // A lone selected anchor only splits the path there; both pieces share it.
    const auto shared = piecesWithoutSelectedSegments(selecting(row(5), {2}));
    ASSERT_EQ(shared.size(), 2u);
    EXPECT_EQ(xs(shared[0]), (X{0, 1, 2}));
    EXPECT_EQ(xs(shared[1]), (X{2, 3, 4}));
    // A closed path opened at its one selected anchor, which then ends it too.
    const auto ring = piecesWithoutSelectedSegments(selecting(row(4, true), {2}));
    ASSERT_EQ(ring.size(), 1u);
    EXPECT_EQ(xs(ring[0]), (X{2, 3, 0, 1, 2}));
    // An end anchor selected on its own removes nothing.
    EXPECT_EQ(xs(piecesWithoutSelectedSegments(selecting(row(3), {0}))[0]), (X{0, 1, 2}));
    EXPECT_TRUE(piecesWithoutSelectedSegments(selecting(row(3, true), {0, 1, 2})).empty());
}

TEST(ObjectCommands, DeleteKeepsOrderAndOneUndoRestores) {
    TCvDocument doc;
    doc.Lines = {row(2), selecting(row(3), {1}), row(4)};
    const std::vector<TCvLine> before = doc.Lines;
    ASSERT_TRUE(DeleteSelection(doc));
    ASSERT_EQ(doc.Lines.size(), 4u);
    EXPECT_EQ(doc.Lines[0], before[0]);
    EXPECT_EQ(doc.Lines[3], before[2]);
    EXPECT_EQ(doc.CountSelected(), 2);
    int pen = -1;
    ASSERT_TRUE(doc.Undo(pen));
    EXPECT_EQ(doc.Lines, before);
    for (TCvLine& l : doc.Lines) l.SelectAll(false);
    EXPECT_FALSE(DeleteSelection(doc));
    EXPECT_FALSE(DeleteSegments(doc));
}

TEST(ObjectCommands, DupeLaysSelectedCopiesOnTop) {
    TCvDocument doc;
    doc.Lines = {polyline({{0, 0}, {1, 1}}), polyline({{5, 5}, {6, 6}})};
    doc.Lines[0].SelectAll(true);
    ASSERT_TRUE(Dupe(doc));
    ASSERT_EQ(doc.Lines.size(), 3u);
    TCvLine copy = doc.Lines[2];
    copy.SelectAll(false);
    EXPECT_EQ(copy, doc.Lines[0]);
    EXPECT_EQ(doc.Lines[0].selected, 0);
    EXPECT_EQ(doc.Lines[2].selected, 1);
    // Moving the copy leaves its source where it was.
    doc.Lines[2].Translate({3, 0});
    EXPECT_EQ(doc.Lines[0].FirstAnchor(), (TCvCoord{0, 0}));
}

TEST(ObjectCommands, LayerMovesTheSelectionKeepingItsOrder) {
    TCvDocument doc;
    for (int i = 0; i < 4; ++i) {
        doc.Lines.push_back(row(2));
        doc.Lines.back().name = std::string(1, char('a' + i));
    }
    doc.Lines[0].SelectAll(true);
    doc.Lines[2].SelectAll(true);
    ASSERT_TRUE(LayerFront(doc));
    auto names = [&] {
        std::string s;
        for (const TCvLine& l : doc.Lines) s += l.name;
        return s;
    };
    EXPECT_EQ(names(), "bdac");
    ASSERT_TRUE(LayerBack(doc));
    EXPECT_EQ(names(), "acbd");
    for (TCvLine& l : doc.Lines) l.SelectAll(true);
    EXPECT_FALSE(LayerFront(doc)); // everything selected: nothing to restack
    EXPECT_FALSE(LayerBack(doc));
}
