#include "commands/PathClipboard.h"

#include "commands/FiniteGuard.h"
#include "commands/MoveSelection.h"
#include "commands/ObjectCommands.h"
#include "export/PovExport.h"
#include "export/PovSplineText.h"
#include "model/ClipboardBlock.h"

#include <algorithm>

namespace plumex {

std::vector<TCvLine> SelectedAnchorRuns(const TCvLine& line) {
    const bool whole = std::all_of(line.points.begin(), line.points.end(),
                                   [](const TCvPoint& p) { return p.selected != 0; });
    if (whole) {
        // Splitting would open a closed path; all of it was asked for.
        TCvLine copy = line;
        copy.SelectAll(true);
        return {std::move(copy)};
    }
    TCvLine inverted = line;
    for (TCvPoint& p : inverted.points) p.selected = p.selected ? 0 : 1;
    return piecesWithoutSelectedAnchors(inverted);
}

std::vector<TCvLine> CopiedPaths(const TCvDocument& doc, bool anchorRuns) {
    std::vector<TCvLine> out;
    for (const TCvLine& line : doc.Lines) {
        if (!line.selected) continue;
        if (!anchorRuns) {
            out.push_back(line);
            continue;
        }
        for (TCvLine& run : SelectedAnchorRuns(line)) out.push_back(std::move(run));
    }
    return out;
}

ClipboardContent ClipboardContentOf(const std::vector<TCvLine>& paths) {
    ClipboardContent c;
    c.block = WriteClipboardBlock(paths);
    c.text = PovExportText(paths, PovMode::Prism, PovDlgState{}, PovArrayDlgState{});
    return c;
}

std::vector<TCvLine> PasteBufferFrom(const std::optional<std::vector<std::uint8_t>>& block,
                                     const std::optional<std::string>& text) {
    if (block) return ReadClipboardBlock(*block);
    if (text) return PathsFromSplineText(*text);
    return {};
}

bool CutSegments(TCvDocument& doc, bool anchorRuns, int penPath) {
    if (anchorRuns) return DeleteSegments(doc, penPath);
    if (doc.CountSelected() == 0) return false;
    doc.Record(penPath);
    doc.DeleteSelected();
    return true;
}

bool PastePaths(TCvDocument& doc, const std::vector<TCvLine>& buffer,
                std::optional<TCvCoord> centreOn, int penPath) {
    if (buffer.empty()) return false;
    doc.Record(penPath);
    for (TCvLine& line : doc.Lines) line.SelectAll(false);
    std::vector<TCvLine> pasted = buffer;
    for (TCvLine& line : pasted) {
        // The pasted paths are the selection, whatever flags the block carried.
        line.UpdateSelected();
        if (!line.selected) line.SelectAll(true);
    }
    doc.InsertAtFront(pasted); // Pivot at the centre of the pasted group
    if (centreOn) {
        const TCvCoord v = subtract(*centreOn, doc.Pivot);
        if (offsetStaysFinite(doc, v)) MoveObjects(doc, v);
    }
    return true;
}

} // namespace plumex
