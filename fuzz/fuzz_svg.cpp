// SVG import: any bytes either give paths with finite coordinates or a ReadError.

#include "model/ReadError.h"
#include "svg/SvgImport.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const auto paths = plumex::ImportSvg({data, size});
        for (const TCvLine& l : paths)
            for (const TCvPoint& p : l.points)
                for (double v : {p.anchor.x, p.anchor.y, p.inHandle.x, p.inHandle.y, p.outHandle.x,
                                 p.outHandle.y})
                    if (!std::isfinite(v)) std::abort();
    } catch (const plumex::ReadError&) {
    }
    return 0;
}
