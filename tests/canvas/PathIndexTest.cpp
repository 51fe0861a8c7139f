// The hit tests through the path index find what a search of every path finds, as the
// drawing changes under it; and a click or a drag writes only the paths it changes, so that
// the index and the undo step look at no others.
#include "MouseDriver.h"
#include "model/random_drawing.h"
#include "testing.h"

#include <algorithm>
#include <random>

using namespace plumex;
using plumex::testing::polyline;

TEST(PathIndex, HitTestsAgreeWithSearchingEveryPath) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        plumex::testing::RandomDrawing random(seed);
        LineList lines = random.lines(30);
        PathIndex index;
        std::mt19937 rng(seed);
        for (int round = 0; round < 30 && !HasFailure(); ++round) {
            // Change a few paths between the searches, the way edits do.
            if (!lines.empty() && random.coin()) {
                const auto i = static_cast<std::size_t>(random.integer(0, int(lines.size()) - 1));
                if (random.coin())
                    lines[i].Translate({random.number() / 100, random.number() / 100});
                else
                    lines[i].SelectAll(random.coin());
            }
            if (random.integer(0, 5) == 0) lines.push_back(random.line());
            index.sync(lines);
            for (int k = 0; k < 20; ++k) {
                // Aim near an anchor or handle now and then, else anywhere.
                TCvCoord p = random.coord();
                if (!lines.empty() && random.coin()) {
                    const TCvLine& l =
                        lines[static_cast<std::size_t>(random.integer(0, int(lines.size()) - 1))];
                    if (!l.points.empty()) {
                        const TCvPoint& a =
                            l.points[static_cast<std::size_t>(random.integer(0, l.count() - 1))];
                        const TCvCoord c = random.coin() ? a.anchor : a.outHandle;
                        p = {c.x + random.integer(-30, 30) * 0.1,
                             c.y + random.integer(-30, 30) * 0.1};
                    }
                }
                AnchorSearch how;
                how.tolerance = random.integer(0, 40) * 0.1;
                how.includeSelected = random.coin();
                how.handlesOfSelected = random.coin();
                how.endsOnly = random.integer(0, 3) == 0;
                how.penPath = random.integer(-1, 2);
                EXPECT_EQ(hitAnchor(lines, index, p, how), hitAnchor(lines, p, how));
                const PathHit a = hitPath(lines, index, p, how.tolerance);
                const PathHit b = hitPath(lines, p, how.tolerance);
                EXPECT_EQ(a.path, b.path);
                EXPECT_EQ(a.first, b.first);
                EXPECT_EQ(a.t, b.t);
            }
        }
        ASSERT_FALSE(HasFailure()) << "seed " << seed;
    }
}

// Random writes of whole paths and of selections alone, several to one path between two
// syncs, long runs that outgrow the log and inserted paths: after every sync the index must
// equal one built afresh.
TEST(PathIndex, KeptInSyncEqualsBuiltAfresh) {
    for (unsigned seed = 1; seed <= 60; ++seed) {
        plumex::testing::RandomDrawing random(seed);
        LineList lines = random.lines(12);
        PathIndex index;
        index.sync(lines);
        for (int round = 0; round < 60 && !HasFailure(); ++round) {
            const int writes = random.integer(0, 3) == 0 ? random.integer(20, 80) : 3;
            for (int w = 0; w < writes && !lines.empty(); ++w) {
                const auto i = static_cast<std::size_t>(random.integer(0, int(lines.size()) - 1) /
                                                        (random.coin() ? 1 : 4));
                switch (random.integer(0, 4)) {
                case 0:
                    lines[i].Translate({random.number(), random.number()});
                    break;
                case 1:
                    if (!lines[i].points.empty()) lines[i].points[0].selected ^= 1;
                    break;
                case 2:
                    lines[i] = random.line();
                    break;
                default:
                    lines.selectPath(i, random.coin());
                    break;
                }
            }
            if (random.integer(0, 7) == 0) lines.push_back(random.line());
            index.sync(lines);
            PathIndex fresh;
            fresh.sync(LineList(lines.vector()));
            ASSERT_EQ(index.size(), fresh.size());
            for (std::size_t i = 0; i < index.size(); ++i) {
                EXPECT_EQ(index.anySelected(i), fresh.anySelected(i)) << "path " << i;
                const auto a = index.hull(i), b = fresh.hull(i);
                ASSERT_EQ(a.has_value(), b.has_value()) << "path " << i;
                if (a) {
                    EXPECT_EQ(a->left, b->left);
                    EXPECT_EQ(a->top, b->top);
                    EXPECT_EQ(a->right, b->right);
                    EXPECT_EQ(a->bottom, b->bottom);
                }
            }
        }
        ASSERT_FALSE(HasFailure()) << "seed " << seed;
    }
}

namespace {

std::vector<int> writtenSince(const LineList& lines, LineList::Mark m) {
    const auto log = lines.changedSince(m);
    if (!log) return {-1};
    std::vector<int> out(log->begin(), log->end());
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

struct ManyPaths : plumex::testing::MouseFixture {
    void SetUp() override {
        MouseFixture::SetUp();
        LineList::Vector lines;
        for (int i = 0; i < 60; ++i)
            lines.push_back(polyline({{0.02 * i, 0.0}, {0.02 * i, 0.5}, {0.02 * i + 0.01, 1.0}}));
        w.Document.Lines = std::move(lines);
    }
    TCvCoord anchor(int path) const { return w.Document.Lines[path].points[1].anchor; }
};

} // namespace

TEST_F(ManyPaths, ClicksAndDragsWriteOnlyThePathsTheyChange) {
    clickU(anchor(10));
    ASSERT_TRUE(w.Document.Lines[10].selected);
    LineList::Mark m = w.Document.Lines.mark();
    clickU(anchor(40)); // hover, press, release: the old and the new selection
    const LineList& lines = w.Document.Lines;
    EXPECT_TRUE(lines[40].selected);
    EXPECT_FALSE(lines[10].selected);
    EXPECT_EQ(writtenSince(w.Document.Lines, m), (std::vector<int>{10, 40}));

    m = w.Document.Lines.mark();
    dragU(anchor(40), {anchor(40).x, anchor(40).y + 0.3});
    EXPECT_EQ(writtenSince(w.Document.Lines, m), std::vector<int>{40});
    ASSERT_EQ(undoSteps(), 1u);
    // The undo step shares every path but the moved one with no earlier snapshot to compare:
    // undo brings the path back and leaves the rest as they were.
    const TCvLine moved = w.Document.Lines[40];
    int pen = -1;
    ASSERT_TRUE(w.Document.Undo(pen));
    EXPECT_FALSE(moved == w.Document.Lines[40]);
    EXPECT_EQ(w.Document.Lines[40].points[1].anchor, (TCvCoord{0.8, 0.5}));
    ASSERT_TRUE(w.Document.Redo(pen));
    EXPECT_TRUE(moved == w.Document.Lines[40]);
}

TEST_F(ManyPaths, AnchorToolClicksBandsAndMovesWriteOnlyThePathsTheyChange) {
    w.SetTool(ToolKind::Anchor);
    clickU(anchor(10));
    ASSERT_TRUE(w.Document.Lines[10].points[1].selected);
    LineList::Mark m = w.Document.Lines.mark();
    clickU(anchor(40));
    EXPECT_FALSE(w.Document.Lines[10].selected);
    EXPECT_EQ(writtenSince(w.Document.Lines, m), (std::vector<int>{10, 40}));

    // A press on a segment selects its two anchors.
    m = w.Document.Lines.mark();
    clickU({0.02 * 20, 0.25});
    EXPECT_EQ(writtenSince(w.Document.Lines, m), (std::vector<int>{20, 40}));

    m = w.Document.Lines.mark();
    dragU(anchor(20), {anchor(20).x, anchor(20).y + 0.1});
    EXPECT_EQ(writtenSince(w.Document.Lines, m), std::vector<int>{20});

    // A band over two paths' top anchors, from empty space.
    m = w.Document.Lines.mark();
    dragU({0.02 * 30 + 0.003, 1.05}, {0.02 * 31 + 0.015, 0.95});
    EXPECT_TRUE(w.Document.Lines[30].points[2].selected);
    EXPECT_TRUE(w.Document.Lines[31].points[2].selected);
    EXPECT_EQ(writtenSince(w.Document.Lines, m), (std::vector<int>{20, 30, 31}));
}
