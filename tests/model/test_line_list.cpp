// The path list's write log, and undo steps recorded from it: each must equal, and share
// exactly as much as, the step a full comparison with the previous snapshot records.

#include "model/Document.h"
#include "model/Identical.h"
#include "model/LineList.h"
#include "random_drawing.h"
#include "testing.h"

#include <algorithm>
#include <utility>

using plumex::LineList;
using plumex::testing::polyline;
using Lines = std::vector<TCvLine>;

namespace {

std::vector<int> written(const LineList& lines, LineList::Mark since) {
    const auto log = lines.changedSince(since);
    if (!log) return {-1};
    std::vector<int> out(log->begin(), log->end());
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

const std::vector<int> Everything = {-1};

} // namespace

TEST(LineList, LogsWhatWasHandedOutForWriting) {
    LineList lines = Lines{polyline({{0, 0}}), polyline({{1, 1}}), polyline({{2, 2}})};
    const LineList::Mark start = lines.mark();
    const LineList& reading = lines;
    EXPECT_EQ(reading[1].points[0].anchor.x, 1);
    for (const TCvLine& l : reading) EXPECT_FALSE(l.selected);
    EXPECT_EQ(reading.vector().size(), 3u);
    EXPECT_EQ(written(lines, start), std::vector<int>{});

    lines[2].Translate({1, 0});
    lines[0].SelectAll(true);
    lines[2].name = "again";
    EXPECT_EQ(written(lines, start), (std::vector<int>{0, 2}));
    const LineList::Mark later = lines.mark();
    lines.back().name = "last";
    EXPECT_EQ(written(lines, later), std::vector<int>{2});

    // Whatever may reach several paths or the count counts as every path.
    const LineList::Mark before = lines.mark();
    for (TCvLine& l : lines) (void)l;
    EXPECT_EQ(written(lines, before), Everything);
    const LineList::Mark beforePush = lines.mark();
    lines.push_back(polyline({{3, 3}}));
    EXPECT_EQ(written(lines, beforePush), Everything);
    const LineList::Mark beforeVector = lines.mark();
    Lines& raw = lines.edit();
    raw.pop_back();
    EXPECT_EQ(written(lines, beforeVector), Everything);
    EXPECT_EQ(written(lines, start), Everything);
}

TEST(LineList, CopiesAndAssignmentsStartLogsOfTheirOwn) {
    LineList a = Lines{polyline({{0, 0}}), polyline({{1, 1}})};
    const LineList::Mark m = a.mark();
    LineList b = a;
    EXPECT_EQ(b, a);
    EXPECT_EQ(written(b, m), Everything); // a's mark says nothing of b
    const LineList::Mark mb = b.mark();
    b = a;
    EXPECT_EQ(written(b, mb), Everything);
    LineList c = std::move(b);
    EXPECT_EQ(written(c, mb), Everything);
    EXPECT_EQ(written(a, m), std::vector<int>{});
}

TEST(LineList, ManyWritesFallBackToEverything) {
    LineList lines = Lines(4, polyline({{0, 0}}));
    const LineList::Mark m = lines.mark();
    for (int round = 0; round < 100; ++round)
        for (std::size_t i = 0; i < 4; ++i) lines[i].name = "x";
    EXPECT_EQ(written(lines, m), Everything);
}

// One that syncs after every write (the hit index after each Select All) is never told
// everything, however long the log grows; and each write says what it may have changed.
TEST(LineList, KeepingUpIsNeverToldEverything) {
    using Written = LineList::Written;
    LineList lines = Lines(4, polyline({{0, 0}, {1, 0}}));
    for (int round = 0; round < 100; ++round) {
        const std::size_t i = static_cast<std::size_t>(round % 4);
        const LineList::Mark m = lines.mark();
        lines.selectPath(i, round % 3 == 0);
        ASSERT_EQ(written(lines, m), std::vector<int>{int(i)}) << round;
        EXPECT_EQ((*lines.kindsSince(m))[0],
                  round % 3 == 0 ? Written::Selected : Written::Deselected);
        EXPECT_EQ(std::as_const(lines)[i].points[1].selected, round % 3 == 0);
    }
    // A selection and another write of the same path in one entry: anything.
    const LineList::Mark m = lines.mark();
    lines[2].Translate({1, 0});
    lines.selectPath(2, true);
    ASSERT_EQ(written(lines, m), std::vector<int>{2});
    EXPECT_EQ((*lines.kindsSince(m))[0], Written::Anything);
}

namespace {

// Every snapshot of `got` equals `want`'s, and each path is shared with the snapshot before
// exactly when `want` shares it.
::testing::AssertionResult sameHistory(const TUndoBuffer& got, const TUndoBuffer& want) {
    if (got.size() != want.size() || got.current() != want.current())
        return ::testing::AssertionFailure() << "sizes " << got.size() << " " << want.size();
    for (std::size_t s = 0; s < got.size(); ++s) {
        const TUndoInfo &g = got.at(s), &w = want.at(s);
        if (g.lineCount() != w.lineCount() || !plumex::identical(g.pivot, w.pivot) ||
            g.penPath != w.penPath)
            return ::testing::AssertionFailure() << "snapshot " << s;
        for (std::size_t i = 0; i < g.lineCount(); ++i) {
            if (!plumex::identical(g.line(i), w.line(i)))
                return ::testing::AssertionFailure() << "snapshot " << s << " path " << i;
            if (s == 0 || i >= got.at(s - 1).lineCount()) continue;
            const bool gShared = g.linePtr(i) == got.at(s - 1).linePtr(i);
            const bool wShared = w.linePtr(i) == want.at(s - 1).linePtr(i);
            if (gShared != wShared)
                return ::testing::AssertionFailure()
                       << "snapshot " << s << " path " << i << " shared " << gShared;
        }
    }
    return ::testing::AssertionSuccess();
}

} // namespace

// Random sessions: writes to single paths, to the whole list, references kept across a step,
// drags recorded from their press, steps recorded behind the document's back, undo, redo and
// clearing. The reference history is told every state in full.
TEST(LineList, DocumentStepsEqualFullComparisons) {
    for (unsigned seed = 1; seed <= 80; ++seed) {
        plumex::testing::RandomDrawing random(seed);
        TCvDocument doc;
        doc.Lines = random.lines(40);
        TUndoBuffer reference;
        Lines mirror = doc.Lines.vector();
        const auto pick = [&] {
            return static_cast<std::size_t>(random.integer(0, int(doc.Lines.size()) - 1));
        };
        for (int step = 0; step < 120 && !HasFailure(); ++step) {
            const int what = random.integer(0, 12);
            const bool any = !doc.Lines.empty();
            if (what <= 2 && any) {
                TCvLine& l = doc.Lines[pick()];
                if (random.coin())
                    l.Translate(random.coord());
                else
                    l.SelectAll(random.coin());
            } else if (what == 3) {
                doc.Lines.insert(doc.Lines.begin() + (any ? long(pick()) : 0), random.line());
            } else if (what == 4 && any) {
                doc.Lines.edit()[pick()].name = random.name();
            } else if (what <= 6) {
                doc.Pivot = random.coord();
                const int pen = random.integer(-1, 3);
                reference.Record(doc.Lines.vector(), doc.Pivot, pen);
                doc.Record(pen);
            } else if (what == 7 && any) {
                // A reference taken before the step and written through after it.
                TCvLine& kept = doc.Lines[pick()];
                reference.Record(doc.Lines.vector(), doc.Pivot, -1);
                doc.Record();
                kept.Translate(random.coord());
            } else if (what == 8 && any) {
                // A drag: the press keeps the paths it may change, the release records them.
                const Lines pressed = doc.Lines.vector();
                const LineList::Mark mark = doc.Lines.mark();
                std::vector<int> at;
                Lines before;
                for (std::size_t i = 0; i < doc.Lines.size(); ++i) {
                    if (random.integer(0, 4) != 0) continue;
                    at.push_back(static_cast<int>(i));
                    before.push_back(doc.Lines.vector()[i]);
                }
                for (int i : at) doc.Lines[static_cast<std::size_t>(i)].Translate(random.coord());
                const std::size_t count = doc.Lines.size();
                if (random.integer(0, 3) == 0) doc.Lines.push_back(random.line());
                const TCvCoord pivot = random.coord();
                reference.Record(pressed, pivot, 2);
                doc.RecordBefore(before, at, count, pivot, 2, mark);
            } else if (what == 9) {
                // A step recorded straight into the history, as some commands do.
                doc.UndoBuffer.Record(doc.Lines, doc.Pivot, 1);
                reference.Record(doc.Lines.vector(), doc.Pivot, 1);
            } else if (what <= 11) {
                int pen = 0, refPen = 0;
                TCvCoord refPivot = doc.Pivot;
                const bool undo = what == 10;
                const bool ok = undo ? doc.Undo(pen) : doc.Redo(pen);
                EXPECT_EQ(ok, undo ? reference.Undo(mirror, refPivot, refPen)
                                   : reference.Redo(mirror, refPivot, refPen));
                if (ok) {
                    EXPECT_EQ(pen, refPen);
                    EXPECT_TRUE(plumex::identical(doc.Pivot, refPivot));
                }
            } else {
                doc.UndoBuffer.Clear();
                reference.Clear();
            }
            mirror = doc.Lines.vector();
            EXPECT_TRUE(sameHistory(doc.UndoBuffer, reference)) << "step " << step;
        }
        ASSERT_FALSE(HasFailure()) << "seed " << seed;
    }
}
