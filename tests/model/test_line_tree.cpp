// The containment forest and its flattening into paths with holes.

#include "model/Document.h"
#include "model/LineTree.h"
#include "testing.h"

#include "model/Containment.h"

#include <algorithm>
#include <array>
#include <random>

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

// The forest against the plain definition over all pairs: each closed path's parent is the
// container that no other container of it lies inside. Rings are squares, diamonds (whose
// bounds equal their square's) and circles, nested or side by side, never crossing.
TEST(LineTree, MatchesTheAllPairsContainmentOnRandomDrawings) {
    std::mt19937 rng(26);
    for (int round = 0; round < 12; ++round) {
        std::vector<TCvLine> paths;
        // Boxes that are nested or apart: each new box lies inside one already placed box's
        // inner half or outside all of them.
        std::vector<std::array<double, 3>> boxes; // x, y, size
        std::uniform_real_distribution<double> u(0, 1);
        const int count = 20 + round * 4;
        while (static_cast<int>(boxes.size()) < count) {
            std::array<double, 3> b;
            if (!boxes.empty() && u(rng) < 0.6) {
                const auto& outer =
                    boxes[std::uniform_int_distribution<std::size_t>(0, boxes.size() - 1)(rng)];
                b[2] = outer[2] * (0.2 + 0.3 * u(rng));
                b[0] = outer[0] + outer[2] * 0.25 + u(rng) * (outer[2] * 0.5 - b[2]);
                b[1] = outer[1] + outer[2] * 0.25 + u(rng) * (outer[2] * 0.5 - b[2]);
            } else {
                b = {u(rng) * 1000, u(rng) * 1000, 5 + u(rng) * 100};
            }
            const bool crosses = std::any_of(boxes.begin(), boxes.end(), [&](const auto& o) {
                const bool apart = b[0] > o[0] + o[2] || o[0] > b[0] + b[2] || b[1] > o[1] + o[2] ||
                                   o[1] > b[1] + b[2];
                const auto inside = [](const auto& p, const auto& q) { // p strictly within q
                    return p[0] > q[0] + q[2] * 0.2 && p[0] + p[2] < q[0] + q[2] * 0.8 &&
                           p[1] > q[1] + q[2] * 0.2 && p[1] + p[2] < q[1] + q[2] * 0.8;
                };
                return !apart && !inside(b, o) && !inside(o, b);
            });
            if (crosses) continue;
            boxes.push_back(b);
            const double x = b[0], y = b[1], s = b[2];
            switch (paths.size() % 3) {
            case 0:
                paths.push_back(square("s", x, y, s));
                break;
            case 1:
                paths.push_back(polyline(
                    {{x + s / 2, y}, {x + s, y + s / 2}, {x + s / 2, y + s}, {x, y + s / 2}},
                    true));
                break;
            default: {
                // A square with its diamond inside: equal bounds, one holds the other.
                paths.push_back(square("s", x, y, s));
                paths.push_back(polyline(
                    {{x + s / 2, y}, {x + s, y + s / 2}, {x + s / 2, y + s}, {x, y + s / 2}},
                    true));
            }
            }
        }
        paths.push_back(polyline({{1, 1}, {2, 2}})); // open paths stay on top
        std::shuffle(paths.begin(), paths.end(), rng);

        std::vector<std::ptrdiff_t> expected(paths.size(), -1);
        for (std::size_t q = 0; q < paths.size(); ++q) {
            std::vector<std::size_t> containers;
            for (std::size_t p = 0; p < paths.size(); ++p)
                if (p != q && plumex::outlineInside(paths[p], paths[q])) containers.push_back(p);
            for (std::size_t c : containers)
                if (std::none_of(containers.begin(), containers.end(), [&](std::size_t o) {
                        return o != c && plumex::outlineInside(paths[c], paths[o]);
                    }))
                    expected[q] = static_cast<std::ptrdiff_t>(c);
        }
        EXPECT_EQ(ContainerOf(paths), expected) << "round " << round;

        const TCvLineTree tree = BuildTree(paths);
        for (std::size_t i = 0; i < paths.size(); ++i) {
            const TCvLineNode* node = tree.find(&paths[i]);
            ASSERT_TRUE(node);
            EXPECT_EQ(node->parent ? node->parent->line : nullptr,
                      expected[i] < 0 ? nullptr : &paths[static_cast<std::size_t>(expected[i])]);
        }
    }
}
