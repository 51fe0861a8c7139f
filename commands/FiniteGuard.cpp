#include "commands/FiniteGuard.h"

#include <cmath>

namespace plumex {

namespace {

bool finite(TCvCoord p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

} // namespace

bool selectionStaysFinite(const TCvDocument& doc, const std::function<TCvCoord(TCvCoord)>& map,
                          bool anchorsOnly) {
    for (const TCvLine& line : doc.Lines) {
        if (!line.selected) continue;
        for (const TCvPoint& p : line.points) {
            if (anchorsOnly && !p.selected) continue;
            if (!finite(map(p.anchor)) || !finite(map(p.inHandle)) || !finite(map(p.outHandle)))
                return false;
        }
    }
    return true;
}

bool linearMapStaysFinite(const TCvDocument& doc, TCvCoord xAxis, TCvCoord yAxis, TCvCoord centre) {
    return selectionStaysFinite(
        doc, [&](TCvCoord p) { return linearMap(p, xAxis.x, xAxis.y, yAxis.x, yAxis.y, centre); });
}

bool offsetStaysFinite(const TCvDocument& doc, TCvCoord v, bool anchorsOnly) {
    return selectionStaysFinite(
        doc, [&](TCvCoord p) { return add(p, v); }, anchorsOnly);
}

} // namespace plumex
