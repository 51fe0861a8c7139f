#pragma once
// What the Illustrator and bitmap exports frame: every path, whatever its state, and the draft
// picture when one is loaded.

#include "model/Path.h"
#include "model/Rect.h"

#include <optional>
#include <vector>

namespace plumex {

// The union of the exact bounds of every path with anchors and of `draft`. With neither, the
// point (0, 0), so an empty drawing still gives a margin-only frame.
TCvRect contentBounds(const std::vector<TCvLine>& lines,
                      const std::optional<TCvRect>& draft = std::nullopt);

} // namespace plumex
