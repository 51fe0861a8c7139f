#include "trace/TraceOptions.h"

#include <algorithm>
#include <cmath>

namespace plumex {

TraceOptions clampedTraceOptions(TraceOptions o) {
    o.threshold = std::clamp(o.threshold, 0, 256);
    o.levels = std::clamp(o.levels, 0, MaxTraceLevels);
    o.turdSize = std::clamp(o.turdSize, 0, 1 << 20);
    o.alphamax = std::isfinite(o.alphamax) ? std::clamp(o.alphamax, 0.0, MaxAlphamax) : 1.0;
    o.tolerance = std::isfinite(o.tolerance) ? std::clamp(o.tolerance, 0.0, 10.0) : 0.2;
    return o;
}

} // namespace plumex
