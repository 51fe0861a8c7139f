// Pasted-text fuzzer: any text either fails with a ReadError or gives paths that each have
// anchors, all at finite positions.

#include "export/PovSplineText.h"
#include "model/ReadError.h"

#include <cmath>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<TCvLine> paths;
    try {
        paths = plumex::PathsFromSplineText(text);
    } catch (const plumex::ReadError&) {
        return 0;
    }
    for (const TCvLine& line : paths) {
        if (line.points.empty()) std::abort();
        for (const TCvPoint& p : line.points)
            for (double v :
                 {p.anchor.x, p.anchor.y, p.inHandle.x, p.inHandle.y, p.outHandle.x, p.outHandle.y})
                if (!std::isfinite(v)) std::abort();
    }
    return 0;
}
