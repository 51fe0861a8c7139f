// The containment forest and its flattening into paths with holes.

#include "model/Document.h"
#include "model/LineTree.h"
#include "testing.h"

#include <algorithm>

using plumex::testing::polyline;

namespace {

TCvLine square(const char* name, double x0, double y0, double size) {
    TCvLine l =
        polyline({{x0, y0}, {x0 + size, y0}, {x0 + size, y0 + size}, {x0, y0 + size}}, true);
    l.name = name;
    return l;
}

// The forest as text: names, children in parentheses, e.g. "A(B(C)) D".
std::string describe(const TCvLineList& list) {
    std::string out;
    for (const TCvLineNode* n = list.first; n; n = n->next) {
        if (!out.empty()) out += ' ';
        out += n->line->name;
        if (n->children.first) out += "(" + describe(n->children) + ")";
    }
    return out;
}

std::string treeOf(const std::vector<TCvLine>& paths) {
    return describe(BuildTree(paths).top);
}

} // namespace

TEST(LineTree, NestsEachRingUnderTheSmallestRingAroundIt) {
    const TCvLine a = square("A", 0, 0, 10), b = square("B", 1, 1, 8), c = square("C", 2, 2, 6);
    const TCvLine d = square("D", 20, 0, 1);
    EXPECT_EQ(treeOf({a, b, c, d}), "A(B(C)) D");
    // Listed inside-out the nodes found first are lifted under the rings found later.
    EXPECT_EQ(treeOf({c, b, a, d}), "A(B(C)) D");
    EXPECT_EQ(treeOf({b, d, c, a}), "D A(B(C))");
}

TEST(LineTree, HolesSideBySideAndOpenPaths) {
    TCvLine open = polyline({{2, 2}, {3, 3}});
    open.name = "o";
    const std::vector<TCvLine> paths = {square("A", 0, 0, 10), square("h1", 1, 1, 2), open,
                                        square("h2", 5, 5, 2)};
    EXPECT_EQ(treeOf(paths), "A(h1 h2) o");

    std::vector<TCvLine> flat;
    Flatten(BuildTree(paths).top, flat);
    ASSERT_EQ(flat.size(), 2u);
    EXPECT_EQ(flat[0].count(), 5 + 5 + 1 + 5); // the merged ring reopens for the second hole
    EXPECT_EQ(flat[1], open);
}

TEST(LineTree, MakeHoleOnRingsWithinRings) {
    TCvDocument doc;
    doc.Lines = {square("A", 0, 0, 10), square("B", 1, 1, 8), square("C", 2, 2, 6)};
    doc.SelectAll();
    ASSERT_TRUE(doc.MakeHole());
    ASSERT_EQ(doc.Lines.size(), 2u);
    EXPECT_EQ(doc.Lines[0].name, "A");
    EXPECT_TRUE(doc.Lines[0].closed);
    EXPECT_EQ(doc.Lines[0].count(), 10); // outer ring, bridge, hole, back along the bridge
    TCvLine innermost = square("C", 2, 2, 6);
    innermost.SelectAll(true);
    EXPECT_EQ(doc.Lines[1], innermost);

    // Every anchor of the outer ring and of the hole is still on the merged path.
    for (const TCvLine& ring : {square("A", 0, 0, 10), square("B", 1, 1, 8)})
        for (const TCvPoint& p : ring.points)
            EXPECT_TRUE(std::any_of(doc.Lines[0].points.begin(), doc.Lines[0].points.end(),
                                    [&](const TCvPoint& q) { return q.anchor == p.anchor; }));
}
