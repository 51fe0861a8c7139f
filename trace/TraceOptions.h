#pragma once
// What a trace of a picture asks for: which pixels are dark, and the tracer's fitting knobs.

namespace plumex {

struct TraceOptions {
    int threshold = 128; // brightness below it is dark (0 to 255)
    bool invert = false; // trace the light areas instead
    // 0 or 1: one outline set at `threshold`; 2 to 8: the picture quantised into that many
    // brightness levels, each darker level's outlines stacked over the lighter ones.
    int levels = 0;
    int turdSize = 2;       // speckles of at most this many pixels are dropped
    double alphamax = 1.0;  // corner smoothness: 0 all corners, 4/3 no corners
    bool optimize = true;   // join curve segments where the fit stays within `tolerance`
    double tolerance = 0.2; // pixels
};

inline constexpr int MaxTraceLevels = 8;
inline constexpr double MaxAlphamax = 1.34;

// The options pulled into their ranges, so every caller's values are ones the tracer takes.
TraceOptions clampedTraceOptions(TraceOptions options);

} // namespace plumex
