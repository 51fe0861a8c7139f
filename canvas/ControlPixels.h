#pragma once
// A path's control points in window pixels, in curve order (anchor, out-handle, in-handle,
// anchor, ...), with their bounds. The painter converts every point of every path it shows, so
// the conversion and the test of a curve against an anchor square have a two-lane form; the
// plain form is the reference it is tested against and the fallback without SSE2.

#include "canvas/Pixel.h"
#include "canvas/ViewTransform.h"
#include "model/Path.h"

#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace plumex {

struct ControlPixels {
    // The control points' pixel bounds, right and bottom included.
    PixelRect box;
    bool anySelected = false; // whether any anchor of the path is selected
};

// The points of a curve-order list: 3 per curve, and the first anchor.
inline std::size_t controlPixelCount(const TCvLine& line) {
    const std::size_t n = line.points.size();
    return n == 0 ? 0 : line.closed ? 3 * n + 1 : 3 * n - 2;
}

// Each point as ViewTransform::UnitToPixel has it; `out` holds controlPixelCount(line) points.
ControlPixels toControlPixels(const TCvLine& line, const ViewTransform& view, PixelPoint* out);
ControlPixels toControlPixelsPlain(const TCvLine& line, const ViewTransform& view, PixelPoint* out);

// Whether the four control points of a curve all lie in the anchor square of side `a` at q.
inline bool underSquarePlain(const PixelPoint* curve, PixelPoint q, int a) {
    const int lo = -(a / 2), hi = a - 1 - a / 2;
    for (int j = 0; j < 4; ++j) {
        const int dx = curve[j].x - q.x, dy = curve[j].y - q.y;
        if (dx < lo || dx > hi || dy < lo || dy > hi) return false;
    }
    return true;
}

inline bool underSquare(const PixelPoint* curve, PixelPoint q, int a) {
#if defined(__SSE2__)
    // Pixels are within PixelLimit, so the lane differences cannot wrap.
    static_assert(sizeof(PixelPoint) == 2 * sizeof(int));
    const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(curve));
    const __m128i last = _mm_loadu_si128(reinterpret_cast<const __m128i*>(curve + 2));
    const __m128i qq = _mm_set_epi32(q.y, q.x, q.y, q.x);
    const __m128i low = _mm_set1_epi32(-(a / 2)), high = _mm_set1_epi32(a - 1 - a / 2);
    const __m128i d = _mm_sub_epi32(first, qq), e = _mm_sub_epi32(last, qq);
    const __m128i outside =
        _mm_or_si128(_mm_or_si128(_mm_cmplt_epi32(d, low), _mm_cmpgt_epi32(d, high)),
                     _mm_or_si128(_mm_cmplt_epi32(e, low), _mm_cmpgt_epi32(e, high)));
    return _mm_movemask_epi8(outside) == 0;
#else
    return underSquarePlain(curve, q, a);
#endif
}

} // namespace plumex
