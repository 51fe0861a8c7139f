#pragma once
// The property view's texts and its edits: one row per anchor with the in-handle, the anchor and
// the out-handle, and the path list beside it. Typing into a cell is an edit of that coordinate.

#include "model/Document.h"

#include <string>

namespace plumex {

inline constexpr int PropertyColumnCount = 6;

// Columns 0-1 in-handle x, y; 2-3 anchor x, y; 4-5 out-handle x, y.
const char* PropertyHeader(int column);
inline bool PropertyIsHandleColumn(int column) {
    return column < 2 || column > 3;
}

// The path's name (or a placeholder for an unnamed one) followed by "<n Pts, Closed|Open>".
std::string PropertyItemText(const TCvLine& line);

// The coordinate in `column` with 4 decimals; "--" for a handle coordinate equal to the anchor's.
std::string PropertyCellText(const TCvPoint& p, int column);
// The coordinate in `column` itself (a "--" handle starts from its anchor's value).
double PropertyCellValue(const TCvPoint& p, int column);

// Sets one coordinate of anchor `anchor` of path `lineIndex`. An anchor coordinate carries its
// handles along, so retracted handles stay retracted. Records one undo step and answers true
// only when the drawing changed; an index out of range or a value that is not finite changes
// nothing.
bool SetPointCoordinate(TCvDocument& doc, int lineIndex, int anchor, int column, double value,
                        int penPath = -1);
// Renames path `lineIndex` (the name the POV-Ray export numbers by); one undo step on change.
bool RenamePath(TCvDocument& doc, int lineIndex, const std::string& name, int penPath = -1);

} // namespace plumex
