#include "model/Document.h"

#include "model/DocumentFile.h"
#include "model/FileBytes.h"
#include "model/LineTree.h"
#include "model/UnitedBounds.h"

#include <algorithm>
#include <exception>
#include <utility>

namespace {

bool selectable(const TCvLine& line) {
    return line.visible && !line.locked;
}

} // namespace

int TCvDocument::CountSelected() const {
    return static_cast<int>(
        std::count_if(Lines.begin(), Lines.end(), [](const TCvLine& l) { return l.selected; }));
}

void TCvDocument::DeselectAll() {
    DeselectPaths();
    SelectionChanged();
}

void TCvDocument::DeselectPaths() {
    // Only paths with something selected are written, so only they count as changed.
    for (std::size_t i = 0; i < Lines.size(); ++i) {
        const TCvLine& line = std::as_const(Lines)[i];
        if (line.selected || std::any_of(line.points.begin(), line.points.end(),
                                         [](const TCvPoint& p) { return p.selected != 0; }))
            Lines.selectPath(i, false);
    }
}

void TCvDocument::SelectAll() {
    for (std::size_t i = 0; i < Lines.size(); ++i)
        if (selectable(std::as_const(Lines)[i])) Lines.selectPath(i, true);
    SelectionChanged();
}

void TCvDocument::Lock() {
    for (TCvLine& line : Lines) {
        if (!line.selected) continue;
        line.locked = 1;
        line.SelectAll(false);
    }
    SelectionChanged();
}

void TCvDocument::UnlockAll() {
    for (TCvLine& line : Lines) {
        line.SelectAll(line.locked != 0);
        line.locked = 0;
    }
    SelectionChanged();
}

void TCvDocument::Hide() {
    for (TCvLine& line : Lines) {
        if (!line.selected) continue;
        line.selected = 0;
        line.visible = 0;
    }
    SelectionChanged();
}

void TCvDocument::ShowAll() {
    for (TCvLine& line : Lines) {
        line.SelectAll(line.visible == 0);
        line.visible = 1;
    }
    SelectionChanged();
}

void TCvDocument::DeleteSelected() {
    std::erase_if(Lines.edit(), [](const TCvLine& l) { return l.selected; });
    SelectionChanged();
}

void TCvDocument::InsertAtFront(const std::vector<TCvLine>& paths) {
    Lines.insert(Lines.begin(), paths.begin(), paths.end());
    SelectionChanged();
}

void TCvDocument::Append(const std::vector<TCvLine>& paths) {
    Lines.insert(Lines.end(), paths.begin(), paths.end());
    SelectionChanged();
}

std::vector<TCvLine> TCvDocument::CollectSelected() const {
    std::vector<TCvLine> out;
    std::copy_if(Lines.begin(), Lines.end(), std::back_inserter(out),
                 [](const TCvLine& l) { return l.selected; });
    return out;
}

void TCvDocument::UpdateSelectionBounds() {
    // Looked at on every selection change, so that the log of a long run of Select All and
    // deselect does not outrun the kept bounds' mark.
    allBoundsCurrent();
    // With every path selected the two unions count the same paths.
    const auto bounds = CountSelected() == static_cast<int>(Lines.size())
                            ? AllBounds()
                            : plumex::unitedBounds(Lines.vector(), plumex::Counted::Selected);
    if (bounds) SelectionBounds = *bounds;
}

bool TCvDocument::allBoundsCurrent() const {
    using Written = plumex::LineList::Written;
    if (!allBoundsMark_) return false;
    const auto kinds = Lines.kindsSince(*allBoundsMark_);
    if (!kinds ||
        std::any_of(kinds->begin(), kinds->end(), [](Written w) { return w == Written::Anything; }))
        return false;
    allBoundsMark_ = Lines.mark();
    return true;
}

std::optional<TCvRect> TCvDocument::AllBounds() const {
    if (allBoundsCurrent()) return allBounds_;
    allBounds_ = plumex::unitedBounds(Lines.vector(), plumex::Counted::All);
    allBoundsMark_ = Lines.mark();
    return allBounds_;
}

void TCvDocument::SelectionChanged() {
    UpdateSelectionBounds();
    Pivot = plumex::centre(SelectionBounds);
}

bool TCvDocument::MakeHole() {
    if (CountSelected() <= 1) return false;
    const std::vector<TCvLine> selection = CollectSelected();
    std::vector<TCvLine> result;
    Flatten(BuildTree(selection).top, result);
    if (result == selection) return false;
    Record();
    std::erase_if(Lines.edit(), [](const TCvLine& l) { return l.selected; });
    Append(result);
    return true;
}

void TCvDocument::Record(int penPath) {
    record({}, {}, Lines.size(), Pivot, penPath, std::nullopt);
}

void TCvDocument::RecordBefore(std::span<const TCvLine> before, std::span<const int> at,
                               std::size_t count, TCvCoord pivot, int penPath,
                               plumex::LineList::Mark press) {
    record(before, at, count, pivot, penPath, press);
}

void TCvDocument::record(std::span<const TCvLine> before, std::span<const int> at,
                         std::size_t count, TCvCoord pivot, int penPath,
                         std::optional<plumex::LineList::Mark> press) {
    std::vector<int> changed(at.begin(), at.end());
    const TUndoBuffer::Changes changes = presentChanges(changed);
    const plumex::LineList::Mark now = Lines.mark();
    undoSnapshot_ = UndoBuffer.Record(Lines.vector(), before, at, count, pivot, penPath, changes);
    // The recorded state is the present, or the press's: what was written since then differs.
    plumex::LineList::Mark since = now;
    if (press) {
        if (!Lines.changedSince(*press)) undoSnapshot_ = 0;
        since = *press;
    }
    // A path written through a reference taken before this step may change after it: the
    // paths written since the previous step are compared once more, and after a rewrite of
    // every path the next step compares them all.
    if (Lines.changedSince(lastRecord_))
        since = std::min(since, lastRecord_);
    else
        undoSnapshot_ = 0;
    undoSince_ = since;
    lastRecord_ = now;
    undoExtra_.assign(at.begin(), at.end());
}

TUndoBuffer::Changes TCvDocument::presentChanges(std::vector<int>& changed) const {
    if (undoSnapshot_ == 0) return {};
    const auto written = Lines.changedSince(undoSince_);
    if (!written) return {};
    changed.insert(changed.end(), written->begin(), written->end());
    changed.insert(changed.end(), undoExtra_.begin(), undoExtra_.end());
    std::sort(changed.begin(), changed.end());
    changed.erase(std::unique(changed.begin(), changed.end()), changed.end());
    return {undoSnapshot_, changed};
}

void TCvDocument::restored(plumex::LineList::Mark before) {
    undoSnapshot_ = UndoBuffer.at(UndoBuffer.current()).id;
    // As after a step: what was written since the previous one is compared once more.
    undoSince_ = Lines.changedSince(lastRecord_) ? std::min(before, lastRecord_) : before;
    lastRecord_ = before;
    undoExtra_.clear();
    UpdateSelectionBounds();
}

bool TCvDocument::Undo(int& penPath, TUndoBuffer::Restored* restoredPaths) {
    if (!UndoBuffer.CanUndo()) return false;
    std::vector<int> changed;
    const TUndoBuffer::Changes present = presentChanges(changed);
    const plumex::LineList::Mark before = Lines.mark();
    if (!UndoBuffer.Undo(Lines, Pivot, penPath, present, restoredPaths)) return false;
    restored(before);
    return true;
}

bool TCvDocument::Redo(int& penPath, TUndoBuffer::Restored* restoredPaths) {
    if (!UndoBuffer.CanRedo()) return false;
    const plumex::LineList::Mark before = Lines.mark();
    if (!UndoBuffer.Redo(Lines, Pivot, penPath, restoredPaths)) return false;
    restored(before);
    return true;
}

bool TCvDocument::LoadFromFile(const std::string& fileName) {
    plumex::DocumentContent content = plumex::readDocumentFile(fileName);
    Lines = std::move(content.lines);
    Settings = std::move(content.settings);
    UndoBuffer.Clear();
    draftChanged_ = false;
    return true;
}

bool TCvDocument::SaveToFile(const std::string& fileName, std::string* error) {
    try {
        plumex::writeFileAtomically(fileName, plumex::writeDocument(Lines, Settings));
    } catch (const std::exception& e) {
        if (error) *error = e.what();
        return false;
    }
    UndoBuffer.Clear();
    draftChanged_ = false;
    return true;
}

void TCvDocument::NewDocument() {
    Lines.clear();
    Settings.verticalGuides.clear();
    Settings.horizontalGuides.clear();
    Settings.draft = {};
    UndoBuffer.Clear();
    draftChanged_ = false;
}
