#include "export/MeshDlgState.h"

#include <charconv>
#include <cmath>

namespace plumex {

namespace {

bool number(const std::string& text, double& out) {
    const char* end = text.data() + text.size();
    const auto r = std::from_chars(text.data(), end, out);
    return !text.empty() && r.ec == std::errc() && r.ptr == end && std::isfinite(out);
}

} // namespace

bool MeshDlgState::options(MeshOptions& out) const {
    MeshOptions o;
    o.form = form;
    double segmentCount = 0;
    if (!number(tolerance, o.tolerance) || o.tolerance < 0) return false;
    if (!number(mmPerUnit, o.mmPerUnit) || !(o.mmPerUnit > 0)) return false;
    if (form == MeshForm::Prism && (!number(height, o.height) || !(o.height > 0))) return false;
    if (form == MeshForm::Lathe) {
        if (!number(segments, segmentCount) || segmentCount != std::floor(segmentCount) ||
            segmentCount < MinLatheSegments || segmentCount > MaxLatheSegments)
            return false;
        o.segments = static_cast<int>(segmentCount);
    }
    out = o;
    return true;
}

} // namespace plumex
