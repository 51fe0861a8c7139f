#include "commands/MoveSelection.h"

namespace plumex {

bool MoveObjects(TCvDocument& doc, TCvCoord v) {
    bool any = false;
    for (TCvLine& line : doc.Lines) {
        if (!line.selected) continue;
        line.Translate(v);
        any = true;
    }
    if (!any) return false;
    TCvRect& b = doc.SelectionBounds;
    b = {b.left + v.x, b.top + v.y, b.right + v.x, b.bottom + v.y};
    doc.Pivot = add(doc.Pivot, v);
    return true;
}

bool MoveAnchors(TCvDocument& doc, TCvCoord v, bool objectMode) {
    bool any = false;
    for (TCvLine& line : doc.Lines) {
        if (!line.selected) continue;
        line.TranslateSelected(v);
        any = true;
    }
    if (!any) return false;
    doc.UpdateSelectionBounds();
    doc.Pivot = objectMode ? add(doc.Pivot, v) : centre(doc.SelectionBounds);
    return true;
}

} // namespace plumex
