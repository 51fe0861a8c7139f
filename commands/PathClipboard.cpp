#include "commands/PathClipboard.h"

#include "commands/FiniteGuard.h"
#include "commands/MoveSelection.h"
#include "commands/ObjectCommands.h"
#include "export/PovExport.h"
#include "export/PovSplineText.h"
#include "export/SvgExport.h"
#include "model/ClipboardBlock.h"
#include "svg/SvgImport.h"

#include <algorithm>
#include <stdexcept>

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

std::vector<TCvLine> CopiedPaths(const TCvDocument& doc, CopyScope scope) {
    std::vector<TCvLine> out;
    for (const TCvLine& line : doc.Lines) {
        if (!line.selected) continue;
        if (scope == CopyScope::Paths) {
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
    try {
        c.svg = SvgExportText(paths);
    } catch (const std::domain_error&) {
        // Paths beyond what SVG numbers hold still copy in the other forms.
    }
    c.text = PovExportText(paths, PovMode::Prism, PovDlgState{}, PovArrayDlgState{});
    return c;
}

std::vector<TCvLine> PasteBufferFrom(const ClipboardOffer& offer) {
    if (offer.block) return ReadClipboardBlock(*offer.block);
    if (offer.svg) {
        const std::string& svg = *offer.svg;
        std::vector<TCvLine> paths = ImportSvg(
            {reinterpret_cast<const std::uint8_t*>(svg.data()), svg.size()}, SvgImportOptions{});
        if (!paths.empty()) return paths;
    }
    if (offer.text) return PathsFromSplineText(*offer.text);
    return {};
}

std::vector<TCvLine> PasteBufferFrom(const std::optional<std::vector<std::uint8_t>>& block,
                                     const std::optional<std::string>& text) {
    return PasteBufferFrom(ClipboardOffer{block, std::nullopt, text});
}

bool CutSegments(TCvDocument& doc, CopyScope scope, int penPath) {
    if (scope == CopyScope::AnchorRuns) return DeleteSegments(doc, penPath);
    if (doc.CountSelected() == 0) return false;
    doc.Record(penPath);
    doc.DeleteSelected();
    return true;
}

bool PastePaths(TCvDocument& doc, const std::vector<TCvLine>& buffer,
                std::optional<TCvCoord> centreOn, int penPath) {
    if (buffer.empty()) return false;
    doc.Record(penPath);
    doc.DeselectPaths();
    std::vector<TCvLine> pasted = buffer;
    for (TCvLine& line : pasted) {
        // The pasted paths are the selection, whatever flags the block carried, and a
        // selection holds only paths that can be seen and edited.
        line.visible = 1;
        line.locked = 0;
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
