#pragma once
// The bitmap export's renderer: closed outlines filled by the even-odd rule, open ones drawn as
// lines one sample wide, all in black on white, each output pixel counting its factor x factor
// samples. It renders in bands of `factor` sample rows and activates outlines only when the
// band reaches them, so its memory is O(width) plus the edges of the outlines under the band.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace plumex {

// A straight piece of an outline in sample space: x to the right, y grows with the row.
struct RasterEdge {
    double x0, y0, x1, y1;
};

// What the rasteriser draws. Outlines are unioned: overlapping outlines stay black, the
// even-odd rule holds within one outline (its holes stay white).
class OutlineSource {
public:
    virtual ~OutlineSource() = default;
    virtual std::size_t outlineCount() const = 0;
    // The lowest and highest sample y the outline may reach (its control hull is enough).
    virtual void outlineRows(std::size_t i, double& top, double& bottom) const = 0;
    // Appends the outline's flattened edges; answers whether it is closed (filled).
    virtual bool flattenOutline(std::size_t i, std::vector<RasterEdge>& out) const = 0;
};

// Samples per output pixel in each direction: the greyscale export uses 8, monochrome 1.
// Output row y covers sample rows y * factor ... y * factor + factor - 1; sample row j is the
// band j <= y < j + 1, except that a level open line at y = j + 1 is drawn in it.
//
// Hands rows 0 .. height - 1 in order to `row`, each `width` values from 0 (every sample black)
// to 255: min(255, white samples * 256 / factor^2). `row` answers false to stop early; the
// result tells whether every row was delivered. Throws std::bad_alloc when a row does not fit.
bool rasterizeEvenOdd(
    const OutlineSource& source, std::int64_t width, std::int64_t height, int factor,
    const std::function<bool(std::int64_t y, std::span<const std::uint8_t>)>& row);

} // namespace plumex
