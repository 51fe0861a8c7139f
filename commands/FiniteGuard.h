#pragma once
// A transform that would push a coordinate past the range of a double is refused: a drawing
// holding an infinity saves to a file that cannot be read back.

#include "model/Document.h"

#include <functional>

namespace plumex {

// Every anchor and handle of the selected paths (only their selected anchors with
// `anchorsOnly`) stays finite under `map`.
bool selectionStaysFinite(const TCvDocument& doc, const std::function<TCvCoord(TCvCoord)>& map,
                          bool anchorsOnly = false);

bool linearMapStaysFinite(const TCvDocument& doc, TCvCoord xAxis, TCvCoord yAxis, TCvCoord centre);
bool offsetStaysFinite(const TCvDocument& doc, TCvCoord v, bool anchorsOnly = false);

} // namespace plumex
