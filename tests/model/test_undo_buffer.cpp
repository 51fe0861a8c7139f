// The undo history: the documented sequence, agreement with a plain full-copy history over
// random edit sequences, and sharing of unchanged paths between snapshots.

#include "model/Document.h"
#include "model/Identical.h"
#include "model/UndoBuffer.h"
#include "random_drawing.h"
#include "testing.h"

#include <set>

using plumex::testing::polyline;
using Lines = std::vector<TCvLine>;

namespace {

// The history kept the obvious way: a full copy per step.
class ReferenceHistory {
public:
    struct State {
        Lines lines;
        TCvCoord pivot;
        int pen;
    };

    void record(const State& s) {
        states_.resize(current_);
        states_.push_back(s);
        ++current_;
    }
    bool undo(State& s) {
        if (current_ == 0) return false;
        if (current_ + 1 >= states_.size()) {
            record(s);
            --current_;
        }
        s = states_[--current_];
        return true;
    }
    bool redo(State& s) {
        if (current_ + 1 >= states_.size()) return false;
        s = states_[++current_];
        return true;
    }
    void clear() { states_.clear(), current_ = 0; }
    std::size_t current() const { return current_; }
    std::size_t size() const { return states_.size(); }

private:
    std::vector<State> states_;
    std::size_t current_ = 0;
};

::testing::AssertionResult sameLines(const Lines& a, const Lines& b) {
    if (a.size() != b.size())
        return ::testing::AssertionFailure() << a.size() << " vs " << b.size();
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!plumex::identical(a[i], b[i])) return ::testing::AssertionFailure() << "path " << i;
    return ::testing::AssertionSuccess();
}

// One random edit of the kind commands make: move, select, insert, delete, rename.
void edit(plumex::testing::RandomDrawing& random, Lines& lines) {
    const int what = random.integer(0, lines.empty() ? 2 : 6);
    const auto pick = [&] {
        return static_cast<std::size_t>(random.integer(0, int(lines.size()) - 1));
    };
    switch (what) {
    case 0:
    case 1:
        lines.insert(lines.begin(), random.line());
        break;
    case 2:
        lines.push_back(random.line());
        break;
    case 3:
        lines[pick()].Translate(random.coord());
        break;
    case 4:
        lines[pick()].SelectAll(random.coin());
        break;
    case 5:
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(pick()));
        break;
    default:
        lines[pick()].name = random.name();
        break;
    }
}

Lines drawing(double tag) {
    return {polyline({{tag, 0}, {tag, 1}}), polyline({{0, tag}})};
}

} // namespace

TEST(UndoBuffer, DocumentedSequence) {
    TUndoBuffer history;
    Lines lines = drawing(0);
    TCvCoord pivot{0, 0};
    int pen = -1;
    EXPECT_FALSE(history.Undo(lines, pivot, pen)); // nothing recorded: e.g. right after Open
    history.Record(lines, pivot, -1);              // S0, then edit E1
    lines = drawing(1);
    history.Record(lines, {1, 1}, 1); // S1, then edit E2
    lines = drawing(2);
    pivot = {2, 2};
    pen = 2;
    ASSERT_EQ(history.current(), 2u);
    EXPECT_FALSE(history.CanRedo());

    ASSERT_TRUE(history.Undo(lines, pivot, pen)); // records S2 first
    EXPECT_EQ(history.size(), 3u);
    EXPECT_EQ(history.current(), 1u);
    EXPECT_EQ(lines, drawing(1));
    EXPECT_EQ(pivot, (TCvCoord{1, 1}));
    EXPECT_EQ(pen, 1);
    ASSERT_TRUE(history.Undo(lines, pivot, pen));
    EXPECT_EQ(lines, drawing(0));
    EXPECT_EQ(pen, -1);
    EXPECT_FALSE(history.CanUndo());
    ASSERT_TRUE(history.Redo(lines, pivot, pen));
    EXPECT_EQ(lines, drawing(1));
    ASSERT_TRUE(history.Redo(lines, pivot, pen));
    EXPECT_EQ(lines, drawing(2));
    EXPECT_EQ(pivot, (TCvCoord{2, 2}));
    EXPECT_EQ(pen, 2);
    EXPECT_FALSE(history.Redo(lines, pivot, pen)); // 2 >= 3 - 1

    ASSERT_TRUE(history.Undo(lines, pivot, pen));
    history.Record(lines, pivot, pen); // a new edit at current = 1 drops the redo states
    EXPECT_EQ(history.size(), 2u);
    EXPECT_FALSE(history.Redo(lines, pivot, pen));
    history.Clear();
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(history.size(), 0u);
}

TEST(UndoBuffer, AgreesWithFullCopiesOverRandomEdits) {
    for (unsigned seed = 1; seed <= 60; ++seed) {
        plumex::testing::RandomDrawing random(seed);
        TUndoBuffer history;
        ReferenceHistory reference;
        ReferenceHistory::State state{random.lines(20), {}, -1};
        for (int step = 0; step < 150 && !HasFailure(); ++step) {
            const int action = random.integer(0, 9);
            if (action < 5) {
                const int pen = random.integer(-1, 3);
                history.Record(state.lines, state.pivot, pen);
                reference.record({state.lines, state.pivot, pen});
                edit(random, state.lines);
                state.pivot = random.coord();
            } else if (action < 9) {
                ReferenceHistory::State expected = state;
                const bool undo = action < 7;
                const bool ok = undo ? history.Undo(state.lines, state.pivot, state.pen)
                                     : history.Redo(state.lines, state.pivot, state.pen);
                EXPECT_EQ(ok, undo ? reference.undo(expected) : reference.redo(expected));
                EXPECT_TRUE(sameLines(state.lines, expected.lines));
                EXPECT_TRUE(plumex::identical(state.pivot, expected.pivot));
                EXPECT_EQ(state.pen, expected.pen);
            } else if (!state.lines.empty() && random.coin()) {
                // Selection changes record nothing, yet Undo must keep them for Redo.
                state.lines[0].SelectAll(!state.lines[0].selected);
            } else if (random.integer(0, 3) == 0) {
                history.Clear();
                reference.clear();
            }
            EXPECT_EQ(history.current(), reference.current());
            EXPECT_EQ(history.size(), reference.size());
            EXPECT_EQ(history.CanRedo(), reference.current() + 1 < reference.size());
            EXPECT_EQ(history.CanUndo(), reference.current() > 0);
        }
        ASSERT_FALSE(HasFailure()) << "seed " << seed;
    }
}

TEST(UndoBuffer, UnchangedPathsAreSharedNotCopied) {
    Lines lines;
    for (int i = 0; i < 200; ++i) lines.push_back(polyline({{double(i), 0}, {double(i), 1}}));
    TUndoBuffer history;
    history.Record(lines, {}, -1);
    lines[130].Translate({0.5, 0});
    history.Record(lines, {}, -1);
    lines.insert(lines.begin(), polyline({{-1, -1}}));
    history.Record(lines, {}, -1);
    lines[5].points[0].selected = 1; // a selection change is a change
    history.Record(lines, {}, -1);

    const TUndoInfo &s0 = history.at(0), &s1 = history.at(1), &s2 = history.at(2),
                    &s3 = history.at(3);
    for (std::size_t i = 0; i < 200; ++i) EXPECT_EQ(s0.linePtr(i) == s1.linePtr(i), i != 130) << i;
    for (std::size_t i = 0; i < 200; ++i) EXPECT_EQ(s1.linePtr(i), s2.linePtr(i + 1)) << i;
    EXPECT_NE(s2.linePtr(5), s3.linePtr(5));
    EXPECT_EQ(s2.linePtr(6), s3.linePtr(6));

    // -0.0 equals 0.0 but is not the same bits, so it must not be shared.
    Lines zero = {polyline({{0.0, 0}})};
    Lines negativeZero = {polyline({{-0.0, 0}})};
    TUndoBuffer signs;
    signs.Record(zero, {}, -1);
    signs.Record(negativeZero, {}, -1);
    EXPECT_TRUE(std::signbit(signs.at(1).line(0).points[0].anchor.x));
}

// A drag records the drawing as it was from the paths it changed and the count at its press;
// the snapshot must be the one a full copy taken at the press would give, shared alike.
TEST(UndoBuffer, RecordFromChangedPathsEqualsRecordOfTheWholeCopy) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        plumex::testing::RandomDrawing random(seed);
        Lines lines = random.lines(random.integer(0, 150));
        TUndoBuffer partial, whole;
        partial.Record(lines, {}, -1);
        whole.Record(lines, {}, -1);
        for (int step = 0; step < 5; ++step) {
            const Lines pressed = lines;
            std::vector<int> at;
            Lines before;
            for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
                if (random.integer(0, 9) != 0) continue;
                at.push_back(i);
                before.push_back(lines[static_cast<std::size_t>(i)]);
                lines[static_cast<std::size_t>(i)].Translate(random.coord());
            }
            const std::size_t count = lines.size();
            if (random.coin()) lines.push_back(random.line()); // a copy drag appends
            const TCvCoord pivot = random.coord();
            partial.Record(lines, before, at, count, pivot, step);
            whole.Record(pressed, pivot, step);
            const TUndoInfo& got = partial.at(partial.current() - 1);
            const TUndoInfo& want = whole.at(whole.current() - 1);
            ASSERT_EQ(got.lineCount(), want.lineCount()) << "seed " << seed;
            for (std::size_t i = 0; i < got.lineCount(); ++i) {
                EXPECT_TRUE(plumex::identical(got.line(i), want.line(i))) << seed << " " << i;
                const TUndoInfo& previous = partial.at(partial.current() - 2);
                if (i < previous.lineCount() && plumex::identical(previous.line(i), got.line(i))) {
                    EXPECT_EQ(got.linePtr(i), previous.linePtr(i)) << "unchanged, not shared";
                }
            }
            EXPECT_TRUE(plumex::identical(got.pivot, pivot));
            EXPECT_EQ(got.penPath, step);
        }
        ASSERT_FALSE(HasFailure()) << "seed " << seed;
    }
}

// Undo and Redo of the document write into its path list only the paths that differ, so the
// list's log (which the canvas's index and repaint follow) names exactly those; the drawing
// still equals a full-copy history's at every step, selection changes made between included.
TEST(UndoBuffer, DocumentUndoWritesExactlyThePathsThatDiffer) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        plumex::testing::RandomDrawing random(seed);
        TCvDocument doc;
        doc.Lines = random.lines(30);
        ReferenceHistory reference;
        int pen = -1;
        for (int step = 0; step < 200 && !HasFailure(); ++step) {
            const int action = random.integer(0, 9);
            auto& lines = doc.Lines;
            const auto pick = [&] {
                return static_cast<std::size_t>(random.integer(0, int(lines.size()) - 1));
            };
            if (action < 4) {
                pen = random.integer(-1, 3);
                doc.Record(pen);
                reference.record({lines.vector(), doc.Pivot, pen});
                if (lines.empty() || random.integer(0, 3) == 0)
                    edit(random, lines.edit()); // inserts and deletes rewrite the list
                else if (random.coin())
                    lines[pick()].Translate(random.coord());
                else
                    lines[pick()].name = random.name();
                doc.Pivot = random.coord();
            } else if (action < 9) {
                ReferenceHistory::State expected{lines.vector(), doc.Pivot, pen};
                const Lines before = lines.vector();
                const plumex::LineList::Mark mark = lines.mark();
                const bool undo = action < 7;
                TUndoBuffer::Restored r;
                const bool ok = undo ? doc.Undo(pen, &r) : doc.Redo(pen, &r);
                ASSERT_EQ(ok, undo ? reference.undo(expected) : reference.redo(expected));
                EXPECT_TRUE(sameLines(lines.vector(), expected.lines));
                EXPECT_TRUE(plumex::identical(doc.Pivot, expected.pivot));
                EXPECT_EQ(pen, expected.pen);
                if (!ok || before.size() != lines.size()) continue;
                const plumex::LineList& now = lines; // reads log nothing
                std::set<int> differ;
                for (std::size_t i = 0; i < before.size(); ++i)
                    if (!plumex::identical(before[i], now[i])) differ.insert(int(i));
                const auto written = lines.changedSince(mark);
                ASSERT_TRUE(written.has_value()) << "seed " << seed << " step " << step;
                EXPECT_EQ(std::set<int>(written->begin(), written->end()), differ);
                EXPECT_FALSE(r.whole);
                EXPECT_EQ(r.written, differ.size());
                for (int i : differ)
                    for (const TCvLine* l : {&before[std::size_t(i)], &now[std::size_t(i)]})
                        if (!l->points.empty()) {
                            ASSERT_TRUE(r.hull.has_value());
                            const TCvRect h = l->GetHullBounds();
                            EXPECT_TRUE(r.hull->left <= h.left && r.hull->right >= h.right &&
                                        r.hull->bottom <= h.bottom && r.hull->top >= h.top);
                        }
            } else if (!lines.empty()) {
                // A selection change between steps: no record, yet Redo must come back to it.
                const std::size_t i = pick();
                lines[i].SelectAll(!lines[i].selected);
            }
            EXPECT_EQ(doc.UndoBuffer.current(), reference.current());
            EXPECT_EQ(doc.UndoBuffer.size(), reference.size());
        }
        ASSERT_FALSE(HasFailure()) << "seed " << seed;
    }
}
