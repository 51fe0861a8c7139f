#include "canvas/ControlPixels.h"

#include <algorithm>

namespace plumex {

namespace {

// Hands every control point to `put` in curve order; whether any anchor is selected.
template <class Put> bool walk(const TCvLine& line, Put&& put) {
    line.ForEachBezierPoint(put);
    unsigned selected = 0;
    for (const TCvPoint& p : line.points) selected |= p.selected;
    return selected != 0;
}

constexpr double Limit = PixelLimit;

// The bounds are taken on the clamped values before truncation: truncation is monotone, so
// they truncate to the bounds of the pixels.
PixelRect truncated(double loX, double loY, double hiX, double hiY) {
    return {static_cast<int>(loX), static_cast<int>(loY), static_cast<int>(hiX),
            static_cast<int>(hiY)};
}

} // namespace

ControlPixels toControlPixelsPlain(const TCvLine& line, const ViewTransform& view,
                                   PixelPoint* out) {
    if (line.points.empty()) return {};
    const double k = view.scale, ox = view.origin.x, oy = view.origin.y;
    double loX = Limit, hiX = -Limit, loY = Limit, hiY = -Limit;
    const bool selected = walk(line, [&](const TCvCoord& c) {
        // max(-limit, NaN) is -limit, as clampToPixel has it.
        const double x = std::min(std::max(-Limit, k * c.x + ox), Limit);
        const double y = std::min(std::max(-Limit, oy - k * c.y), Limit);
        loX = std::min(loX, x);
        hiX = std::max(hiX, x);
        loY = std::min(loY, y);
        hiY = std::max(hiY, y);
        *out++ = {static_cast<int>(x), static_cast<int>(y)};
    });
    return {truncated(loX, loY, hiX, hiY), selected};
}

ControlPixels toControlPixels(const TCvLine& line, const ViewTransform& view, PixelPoint* out) {
#if defined(__SSE2__)
    if (line.points.empty()) return {};
    // Both coordinates at once: oy + (-k) y is exactly oy - k y, and max(NaN, -limit) is
    // -limit, as in the plain form.
    static_assert(sizeof(PixelPoint) == 2 * sizeof(int) && sizeof(TCvCoord) == 16);
    const double k = view.scale;
    const __m128d scale = _mm_set_pd(-k, k), shift = _mm_set_pd(view.origin.y, view.origin.x);
    const __m128d least = _mm_set1_pd(-Limit), most = _mm_set1_pd(Limit);
    __m128d lo = most, hi = least;
    const bool selected = walk(line, [&](const TCvCoord& c) {
        __m128d v = _mm_add_pd(_mm_mul_pd(_mm_loadu_pd(&c.x), scale), shift);
        v = _mm_min_pd(_mm_max_pd(v, least), most);
        lo = _mm_min_pd(lo, v);
        hi = _mm_max_pd(hi, v);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out++), _mm_cvttpd_epi32(v));
    });
    return {truncated(_mm_cvtsd_f64(lo), _mm_cvtsd_f64(_mm_unpackhi_pd(lo, lo)), _mm_cvtsd_f64(hi),
                      _mm_cvtsd_f64(_mm_unpackhi_pd(hi, hi))),
            selected};
#else
    return toControlPixelsPlain(line, view, out);
#endif
}

} // namespace plumex
