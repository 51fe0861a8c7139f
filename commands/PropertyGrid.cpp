#include "commands/PropertyGrid.h"

#include "export/PovFormat.h"

#include <cmath>

namespace plumex {
namespace {

constexpr const char* Headers[PropertyColumnCount] = {"Cotrol1.x",  "Cotrol1.y", "Location.x",
                                                      "Location.y", "Cotrol2.x", "Cotrol2.y"};

bool validPoint(const TCvDocument& doc, int lineIndex, int anchor) {
    return lineIndex >= 0 && lineIndex < static_cast<int>(doc.Lines.size()) && anchor >= 0 &&
           anchor < doc.Lines[static_cast<size_t>(lineIndex)].count();
}

double& coordinate(TCvPoint& p, int column) {
    TCvCoord& c = column < 2 ? p.inHandle : column < 4 ? p.anchor : p.outHandle;
    return column % 2 == 0 ? c.x : c.y;
}

} // namespace

const char* PropertyHeader(int column) {
    return column >= 0 && column < PropertyColumnCount ? Headers[column] : "";
}

std::string PropertyItemText(const TCvLine& line) {
    std::string text = line.name.empty() ? std::string("(Untitled)") : line.name;
    text += '<';
    text += std::to_string(line.count());
    text += " Pts, ";
    text += line.closed ? "Closed" : "Open";
    text += '>';
    return text;
}

double PropertyCellValue(const TCvPoint& p, int column) {
    TCvPoint copy = p;
    return coordinate(copy, column);
}

std::string PropertyCellText(const TCvPoint& p, int column) {
    const double value = PropertyCellValue(p, column);
    if (PropertyIsHandleColumn(column) && value == PropertyCellValue(p, 2 + column % 2))
        return "--";
    return FormatPovNumber(value, 4);
}

bool SetPointCoordinate(TCvDocument& doc, int lineIndex, int anchor, int column, double value,
                        int penPath) {
    if (!validPoint(doc, lineIndex, anchor) || column < 0 || column >= PropertyColumnCount ||
        !std::isfinite(value))
        return false;
    TCvPoint p = doc.Lines[static_cast<size_t>(lineIndex)].points[static_cast<size_t>(anchor)];
    const double delta = value - coordinate(p, column);
    if (delta == 0) return false;
    if (PropertyIsHandleColumn(column)) {
        coordinate(p, column) = value;
        p.updateIndependent();
    } else {
        // The handles travel with their anchor; refuse a move that overflows one of them.
        for (int c = column % 2; c < PropertyColumnCount; c += 2) {
            const double moved = coordinate(p, c) + delta;
            if (!std::isfinite(moved)) return false;
            coordinate(p, c) = moved;
        }
    }
    doc.Record(penPath);
    doc.Lines[static_cast<size_t>(lineIndex)].points[static_cast<size_t>(anchor)] = p;
    doc.UpdateSelectionBounds();
    return true;
}

bool RenamePath(TCvDocument& doc, int lineIndex, const std::string& name, int penPath) {
    if (lineIndex < 0 || lineIndex >= static_cast<int>(doc.Lines.size())) return false;
    if (doc.Lines[static_cast<size_t>(lineIndex)].name == name) return false;
    doc.Record(penPath);
    doc.Lines[static_cast<size_t>(lineIndex)].name = name;
    return true;
}

} // namespace plumex
