#pragma once
// The union of the exact bounds of the selected paths, or of every path, without measuring
// every curve exactly.
//
// A path's exact bounds hold its anchors and lie within the rectangle of its anchors and
// handles, so a path whose handle rectangle stays inside the anchors' extremes of the whole
// selection cannot move a side of the union: only the paths reaching those extremes are
// measured exactly. The answer is bit for bit that of uniting every counted path's GetBounds
// in list order, starting from the first one's (an empty first path starts it at the origin).

#include "model/Path.h"
#include "model/Rect.h"

#include <optional>
#include <span>

namespace plumex {

enum class Counted { Selected, All };

// Nothing when no path counts.
std::optional<TCvRect> unitedBounds(std::span<const TCvLine> lines, Counted counted);

// Every counted path measured exactly, in list order: what unitedBounds must equal.
std::optional<TCvRect> unitedBoundsExact(std::span<const TCvLine> lines, Counted counted);

} // namespace plumex
