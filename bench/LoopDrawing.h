#pragma once
// The benchmark drawings: closed wobbly loops of 100 curved anchors on a grid of 10-unit
// cells, so drawings of any size have the same density. 1,000,000 anchors are 10,000 paths.

#include "model/Path.h"

#include <cmath>
#include <random>
#include <vector>

namespace plumex::bench {

constexpr int AnchorsPerPath = 100;

// A closed wobbly loop of curved segments around a cell centre, radius about 4 units.
inline TCvLine loop(TCvCoord c, std::mt19937& rng) {
    std::uniform_real_distribution<double> wobble(-0.6, 0.6);
    TCvLine line;
    for (int i = 0; i < AnchorsPerPath; ++i) {
        const double a = 2 * M_PI * i / AnchorsPerPath;
        const double r = 4 + wobble(rng);
        const TCvCoord p{c.x + r * std::cos(a), c.y + r * std::sin(a)};
        const TCvCoord t{-std::sin(a) * 0.15, std::cos(a) * 0.15};
        line.points.emplace_back(p, TCvCoord{p.x - t.x, p.y - t.y}, TCvCoord{p.x + t.x, p.y + t.y});
    }
    line.closed = 1;
    return line;
}

// Paths on a square grid of 10-unit cells, so both drawings have the same density.
inline std::vector<TCvLine> drawing(int anchors) {
    std::mt19937 rng(7);
    const int paths = anchors / AnchorsPerPath;
    const int side = static_cast<int>(std::lround(std::sqrt(double(paths))));
    std::vector<TCvLine> lines;
    for (int i = 0; i < paths; ++i)
        lines.push_back(loop({10.0 * (i % side), 10.0 * (i / side)}, rng));
    return lines;
}

} // namespace plumex::bench
