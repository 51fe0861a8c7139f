#include "export/ContentBounds.h"

namespace plumex {

TCvRect contentBounds(const std::vector<TCvLine>& lines, const std::optional<TCvRect>& draft) {
    std::optional<TCvRect> r = draft;
    for (const TCvLine& line : lines) {
        if (line.points.empty()) continue;
        r = r ? unite(*r, line.GetBounds()) : line.GetBounds();
    }
    return r.value_or(TCvRect{});
}

} // namespace plumex
