#pragma once
// The snapshot history behind Undo and Redo. Each snapshot is a whole drawing, but a path that
// is bit-for-bit the same as in the previous snapshot shares that snapshot's copy, and runs of
// shared paths share their index block too, so a step costs about what it changed.

#include "model/LineList.h"
#include "model/Path.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

// One snapshot: the paths (names, flags, anchors and selection), the pivot and the index of
// the pen tool's current path (-1 for none).
class TUndoInfo {
public:
    using LinePtr = std::shared_ptr<const TCvLine>;
    using Block = std::vector<LinePtr>;
    static constexpr std::size_t BlockSize = 64;

    TCvCoord pivot;
    int penPath = -1;
    // Unique over the program's run: tells which snapshot a change log was kept against.
    std::uint64_t id = 0;

    std::size_t lineCount() const { return count_; }
    const TCvLine& line(std::size_t i) const { return *linePtr(i); }
    const LinePtr& linePtr(std::size_t i) const { return (*blocks_[i / BlockSize])[i % BlockSize]; }
    // Copies the paths into `lines`, reusing its storage.
    void restoreLines(std::vector<TCvLine>& lines) const;
    // Ascending indices where this snapshot may differ from `other` (of the same count): the
    // paths the two do not share.
    std::vector<std::size_t> unsharedWith(const TUndoInfo& other) const;

    // A snapshot of `lines` sharing with `previous` what did not change (none: copies all).
    static TUndoInfo capture(const std::vector<TCvLine>& lines, const TUndoInfo* previous);
    // The same for `lines` with some paths as they were before an edit (see TUndoBuffer).
    static TUndoInfo capture(const std::vector<TCvLine>& lines, std::span<const TCvLine> before,
                             std::span<const int> at, std::size_t count, const TUndoInfo* previous);
    // The same when the snapshot is known to differ from `previous` (of the same count) at most
    // at the indices `changed` (ascending): only those are compared.
    static TUndoInfo captureChanged(const std::vector<TCvLine>& lines,
                                    std::span<const TCvLine> before, std::span<const int> at,
                                    std::size_t count, const TUndoInfo& previous,
                                    std::span<const int> changed);

private:
    std::vector<std::shared_ptr<const Block>> blocks_;
    std::size_t count_ = 0;
};

class TUndoBuffer {
public:
    // What an Undo or Redo on a path list wrote.
    struct Restored {
        // The list was rebuilt whole: any path may have changed.
        bool whole = false;
        std::size_t written = 0;
        // The rectangle of anchors and handles of every path written or removed, before and
        // after; none when nothing was.
        std::optional<TCvRect> hull;
    };

    // Drops the redo states and appends the state that Undo is to restore.
    void Record(const std::vector<TCvLine>& lines, TCvCoord pivot, int penPath);
    // Records the drawing as it was before an edit that changed only the paths at the indices
    // `at` (ascending, below `count`; `before` holds their earlier values) and may have
    // appended paths after the first `count`: the rest is taken from `lines` without copying
    // the whole drawing first.
    void Record(const std::vector<TCvLine>& lines, std::span<const TCvLine> before,
                std::span<const int> at, std::size_t count, TCvCoord pivot, int penPath);
    // Where the state to record is known to equal the snapshot `since` except perhaps at the
    // ascending indices `changed`: when that snapshot is the one the new step follows and has
    // the same count, only those paths are compared with it. Answers the new snapshot's id.
    struct Changes {
        std::uint64_t since = 0;
        std::span<const int> changed;
    };
    std::uint64_t Record(const std::vector<TCvLine>& lines, std::span<const TCvLine> before,
                         std::span<const int> at, std::size_t count, TCvCoord pivot, int penPath,
                         const Changes& changes);
    // Undo and Redo on the drawing's path list write only the paths that differ from the
    // state restored, so the list's log (and whatever follows it) sees just those. `present`
    // tells how the list differs from the last snapshot, as for Record.
    bool Undo(plumex::LineList& lines, TCvCoord& pivot, int& penPath, const Changes& present,
              Restored* restored = nullptr);
    bool Redo(plumex::LineList& lines, TCvCoord& pivot, int& penPath, Restored* restored = nullptr);
    // Replaces the three values with the previous state; false when nothing can be undone.
    bool Undo(std::vector<TCvLine>& lines, TCvCoord& pivot, int& penPath);
    // Replaces them with the next state; false when nothing can be redone.
    bool Redo(std::vector<TCvLine>& lines, TCvCoord& pivot, int& penPath);
    bool CanUndo() const { return current_ > 0; }
    bool CanRedo() const { return current_ + 1 < history_.size(); }
    void Clear();

    std::size_t current() const { return current_; }
    std::size_t size() const { return history_.size(); }
    const TUndoInfo& at(std::size_t i) const { return history_[i]; }

private:
    void restore(std::vector<TCvLine>& lines, TCvCoord& pivot, int& penPath) const;
    void restore(plumex::LineList& lines, TCvCoord& pivot, int& penPath, Restored* restored);
    // The list equals the current snapshot except at the paths written since `since`.
    void knowPresent(plumex::LineList::Mark since);

    std::vector<TUndoInfo> history_;
    std::size_t current_ = 0; // steps that can be undone
    // The list equals the snapshot `presentId_` except at the paths written since
    // `presentMark_` (0: nothing known).
    std::uint64_t presentId_ = 0;
    plumex::LineList::Mark presentMark_ = 0;
};
