#pragma once
// The document an editing window owns: the drawing `Lines`, the settings saved with it, the
// selection bounds, the transform pivot and the undo history.
//
// The selection and state operations end by recomputing SelectionBounds and resetting Pivot to
// its centre. They record no undo step: commands that change content call Record first, so
// that one command is one step however many operations it uses.

#include "model/DocumentSettings.h"
#include "model/LineList.h"
#include "model/Path.h"
#include "model/UndoBuffer.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

class TCvDocument {
public:
    plumex::LineList Lines;
    plumex::DocumentSettings Settings; // a new document: scale 100, view centre (0, 0)
    TCvRect SelectionBounds;
    TCvCoord Pivot;
    TUndoBuffer UndoBuffer;

    int CountSelected() const;
    void DeselectAll();
    // Deselects every path and anchor, leaving SelectionBounds and Pivot as they are.
    void DeselectPaths();
    // Selects every path that is visible and not locked.
    void SelectAll();
    // Locks and deselects the selected paths.
    void Lock();
    // Selects exactly the locked paths and unlocks them.
    void UnlockAll();
    // Hides and deselects the selected paths; their anchors keep their selection.
    void Hide();
    // Selects exactly the hidden paths and shows them.
    void ShowAll();
    void DeleteSelected();
    void InsertAtFront(const std::vector<TCvLine>& paths);
    void Append(const std::vector<TCvLine>& paths);
    // Copies of the selected paths, in list order.
    std::vector<TCvLine> CollectSelected() const;

    // Union of the exact bounds of the selected paths; kept as it was when nothing is selected.
    void UpdateSelectionBounds();
    // Union of the exact bounds of every path; nothing without paths. Kept while only
    // selections are written, so that Select All and Fit All of a large drawing measure it once.
    std::optional<TCvRect> AllBounds() const;
    // UpdateSelectionBounds, then Pivot at the centre of the bounds.
    void SelectionChanged();

    // Merges nested closed paths of the selection into paths with holes; needs more than one
    // selected path. Records one undo step and answers true only when something changed.
    bool MakeHole();

    // Records the present state as one undo step.
    void Record(int penPath = -1);
    // Records the state of a press as one undo step, for an edit that since changed only the
    // paths at `at` (`before` their values then; see TUndoBuffer::Record) and that kept the
    // mark `press` of Lines at the press.
    void RecordBefore(std::span<const TCvLine> before, std::span<const int> at, std::size_t count,
                      TCvCoord pivot, int penPath, plumex::LineList::Mark press);
    // Restore Lines and Pivot from the history; penPath carries the pen tool's path index.
    // Only the paths that differ are written (`restored` says which area they cover).
    bool Undo(int& penPath, TUndoBuffer::Restored* restored = nullptr);
    bool Redo(int& penPath, TUndoBuffer::Restored* restored = nullptr);
    // Modified while an undo step is available, or since the draft picture was changed (that
    // change has no undo step, but closing without saving would lose it).
    bool IsModified() const { return UndoBuffer.CanUndo() || draftChanged_; }
    void MarkDraftChanged() { draftChanged_ = true; }

    // Replaces the paths and settings with the file's only after the whole file was read, and
    // clears the history. Throws plumex::ReadError (the document is unchanged then); true.
    bool LoadFromFile(const std::string& fileName);
    // Writes the file without ever losing the previous one, then clears the history. On failure
    // answers false with the reason in `error` and keeps the history.
    bool SaveToFile(const std::string& fileName, std::string* error = nullptr);
    // Removes every path, guide and the draft and clears the history; scale and view centre
    // stay.
    void NewDocument();

private:
    // Whether allBounds_ still holds, only selections having been written; moves its mark on.
    bool allBoundsCurrent() const;
    mutable std::optional<TCvRect> allBounds_;
    mutable std::optional<plumex::LineList::Mark> allBoundsMark_; // what allBounds_ is as of
    // How Lines differs from the last snapshot, as far as the log tells (indices in `changed`).
    TUndoBuffer::Changes presentChanges(std::vector<int>& changed) const;
    // After Undo or Redo: Lines is the restored snapshot except at what was written since
    // `before`.
    void restored(plumex::LineList::Mark before);
    void record(std::span<const TCvLine> before, std::span<const int> at, std::size_t count,
                TCvCoord pivot, int penPath, std::optional<plumex::LineList::Mark> press);

    // What the history knows of Lines, so that a step compares only the paths written since
    // the last one: Lines equals snapshot `undoSnapshot_` (0: unknown) except perhaps at the
    // paths written since `undoSince_` and at `undoExtra_`.
    std::uint64_t undoSnapshot_ = 0;
    plumex::LineList::Mark undoSince_ = 0;
    plumex::LineList::Mark lastRecord_ = 0;
    std::vector<int> undoExtra_;
    bool draftChanged_ = false;
};
