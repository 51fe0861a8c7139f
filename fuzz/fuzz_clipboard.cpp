// Clipboard block fuzzer: any bytes either fail with "Invalid Data" or give paths that each
// have anchors at finite positions, that bytes past the block's total do not change, and that
// write back to a block reading the same.

#include "model/ByteInput.h"
#include "model/ClipboardBlock.h"
#include "model/ReadError.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<TCvLine> paths;
    try {
        paths = plumex::ReadClipboardBlock(std::span<const std::uint8_t>(data, size));
    } catch (const plumex::ReadError& e) {
        if (std::strcmp(e.what(), "Invalid Data") != 0) std::abort();
        return 0;
    }
    for (const TCvLine& line : paths) {
        if (line.points.empty()) std::abort();
        for (const TCvPoint& p : line.points)
            for (double v :
                 {p.anchor.x, p.anchor.y, p.inHandle.x, p.inHandle.y, p.outHandle.x, p.outHandle.y})
                if (!std::isfinite(v)) std::abort();
    }
    // Bytes past the total are padding: without them the block reads the same.
    const auto total = static_cast<std::size_t>(plumex::loadInt32(data));
    if (plumex::ReadClipboardBlock(std::span<const std::uint8_t>(data, total)) != paths)
        std::abort();
    // What was read writes back and reads again to the same paths.
    if (plumex::ReadClipboardBlock(plumex::WriteClipboardBlock(paths)) != paths) std::abort();
    return 0;
}
