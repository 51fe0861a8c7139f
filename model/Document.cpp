#include "model/Document.h"

#include "model/DocumentFile.h"
#include "model/FileBytes.h"
#include "model/LineTree.h"

#include <algorithm>
#include <exception>

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
    for (TCvLine& line : Lines) line.SelectAll(false);
    SelectionChanged();
}

void TCvDocument::SelectAll() {
    for (TCvLine& line : Lines)
        if (selectable(line)) line.SelectAll(true);
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
    std::erase_if(Lines, [](const TCvLine& l) { return l.selected; });
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
    bool first = true;
    for (const TCvLine& line : Lines) {
        if (!line.selected) continue;
        if (first)
            SelectionBounds = line.GetBounds();
        else
            line.ExtendBounds(SelectionBounds);
        first = false;
    }
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
    std::erase_if(Lines, [](const TCvLine& l) { return l.selected; });
    Append(result);
    return true;
}

void TCvDocument::Record(int penPath) {
    UndoBuffer.Record(Lines, Pivot, penPath);
}

bool TCvDocument::Undo(int& penPath) {
    if (!UndoBuffer.Undo(Lines, Pivot, penPath)) return false;
    UpdateSelectionBounds();
    return true;
}

bool TCvDocument::Redo(int& penPath) {
    if (!UndoBuffer.Redo(Lines, Pivot, penPath)) return false;
    UpdateSelectionBounds();
    return true;
}

bool TCvDocument::LoadFromFile(const std::string& fileName) {
    plumex::DocumentContent content = plumex::readDocument(plumex::readFileBytes(fileName));
    Lines = std::move(content.lines);
    Settings = std::move(content.settings);
    UndoBuffer.Clear();
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
    return true;
}

void TCvDocument::NewDocument() {
    Lines.clear();
    Settings.verticalGuides.clear();
    Settings.horizontalGuides.clear();
    Settings.draft = {};
    UndoBuffer.Clear();
}
