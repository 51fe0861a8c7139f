#pragma once
// Draw of a path: its outline, the handles of its selected anchors and its anchor squares,
// in the colours of its state.

#include "app/ColorTable.h"
#include "canvas/ColorRole.h"
#include "canvas/Surface.h"
#include "canvas/ViewTransform.h"
#include "model/Path.h"

#include <utility>

namespace plumex {

struct LineStyle {
    bool anchors = false;
    bool handles = false;
    int anchorSize = 5; // side of the anchor and handle squares
};

void DrawLine(Surface& s, const TCvLine& line, const ViewTransform& view, const LineStyle& style,
              const ColorTable& colors);

// Only the selected anchors, in their selected style (drawn again on top of everything).
void DrawSelectedAnchors(Surface& s, const TCvLine& line, const ViewTransform& view, int anchorSize,
                         const ColorTable& colors);

// The square of side `size` whose upper-left pixel is p minus (size div 2, size div 2).
PixelRect anchorSquare(PixelPoint p, int size);

// Pen and fill roles of an anchor by its path's state and its own.
constexpr std::pair<ColorRole, ColorRole> anchorRoles(bool locked, bool pathSelected, bool end,
                                                      bool selected) {
    using enum ColorRole;
    if (locked) return {Locked, Locked};
    if (selected) return {Selected, end ? SelectedEnd : Selected};
    if (pathSelected) return {Selected, end ? SelectedPathEnd : SelectedPathAnchor};
    return {Unselected, end ? Background : Unselected};
}

// The same for anchor i of `line`.
inline std::pair<ColorRole, ColorRole> anchorRoles(const TCvLine& line, int i) {
    const bool end = !line.closed && (i == 0 || i == line.count() - 1);
    return anchorRoles(line.locked, line.selected, end,
                       line.points[static_cast<std::size_t>(i)].selected != 0);
}
} // namespace plumex
