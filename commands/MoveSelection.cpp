#include "commands/MoveSelection.h"

#include <utility>

namespace plumex {

bool MoveObjects(TCvDocument& doc, TCvCoord v) {
    bool any = false;
    // Only the selected paths are written, so only they count as changed.
    for (std::size_t i = 0; i < doc.Lines.size(); ++i) {
        if (!std::as_const(doc.Lines)[i].selected) continue;
        doc.Lines[i].Translate(v);
        any = true;
    }
    if (!any) return false;
    TCvRect& b = doc.SelectionBounds;
    b = {b.left + v.x, b.top + v.y, b.right + v.x, b.bottom + v.y};
    doc.Pivot = add(doc.Pivot, v);
    return true;
}

bool MoveAnchors(TCvDocument& doc, TCvCoord v) {
    bool any = false;
    // Only the selected paths are written, so only they count as changed.
    for (std::size_t i = 0; i < doc.Lines.size(); ++i) {
        if (!std::as_const(doc.Lines)[i].selected) continue;
        doc.Lines[i].TranslateSelected(v);
        any = true;
    }
    if (!any) return false;
    doc.UpdateSelectionBounds();
    doc.Pivot = centre(doc.SelectionBounds);
    return true;
}

} // namespace plumex
