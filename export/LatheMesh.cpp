#include "export/LatheMesh.h"

#include "export/MeshOptions.h"

#include <algorithm>
#include <cmath>

namespace plumex {

namespace {

// An open profile closed as the lathe sees it: each end off the axis goes straight across to
// the axis, and the axis closes the rest (it turns into nothing).
TCvLine closedProfile(const TCvLine& path, LatheAxisMap axis) {
    TCvLine line = path;
    if (line.closed || line.points.empty()) return line;
    const auto onAxis = [&](TCvCoord p) {
        return TCvPoint({-axis.offset, p.y}, {-axis.offset, p.y}, {-axis.offset, p.y});
    };
    const TCvCoord first = line.points.front().anchor, last = line.points.back().anchor;
    line.points.back().outHandle = last;
    line.points.front().inHandle = first;
    if ((last.x + axis.offset) * axis.factor != 0) line.points.push_back(onAxis(last));
    if ((first.x + axis.offset) * axis.factor != 0) line.points.push_back(onAxis(first));
    line.closed = 1;
    return line;
}

} // namespace

void latheMesh(const TCvLine& path, LatheAxisMap axis, double tolerance, int segments, double scale,
               CapTessellator& tess, MeshPiece& out) {
    out.clear();
    const int k = std::clamp(segments, MinLatheSegments, MaxLatheSegments);
    // The profile in (radius, height), scaled; radii are never negative by the axis rule.
    const auto map = [&](TCvCoord p) {
        return TCvCoord{std::max(0.0, (p.x + axis.offset) * axis.factor * scale), p.y * scale};
    };
    std::vector<MeshContour> profile =
        tess.boundary(meshContours(closedProfile(path, axis), tolerance * scale, map));
    if (profile.empty()) return;
    // Radii so small that a float ring would collapse to one point are on the axis.
    const double axisX = -axis.offset * scale;
    double reach = std::abs(axisX);
    for (const MeshContour& c : profile)
        for (TCvCoord p : c) reach = std::max({reach, p.x, std::abs(p.y)});
    const double onAxis = reach * 1e-6;
    std::vector<double> cosines(static_cast<std::size_t>(k)), sines(cosines.size());
    for (int j = 0; j < k; ++j) {
        const double a = 2 * M_PI * j / k;
        cosines[static_cast<std::size_t>(j)] = std::cos(a);
        sines[static_cast<std::size_t>(j)] = std::sin(a);
    }
    const auto uk = static_cast<std::uint32_t>(k);
    for (const MeshContour& c : profile) {
        // First vertex of each profile point: a ring of k, or one on the axis.
        std::vector<std::uint32_t> first(c.size());
        std::vector<bool> pole(c.size());
        for (std::size_t i = 0; i < c.size(); ++i) {
            first[i] = static_cast<std::uint32_t>(out.vertices.size());
            const double r = c[i].x;
            const auto y = static_cast<float>(c[i].y);
            pole[i] = r <= onAxis;
            if (pole[i]) {
                out.vertices.push_back({static_cast<float>(axisX), y, 0.0f});
                continue;
            }
            for (int j = 0; j < k; ++j)
                out.vertices.push_back(
                    {static_cast<float>(axisX + r * cosines[static_cast<std::size_t>(j)]), y,
                     static_cast<float>(r * sines[static_cast<std::size_t>(j)])});
        }
        // An anticlockwise profile (the region on its left) turned this way faces out.
        for (std::size_t i = 0; i < c.size(); ++i) {
            const std::size_t i2 = (i + 1) % c.size();
            if (pole[i] && pole[i2]) continue;
            for (std::uint32_t j = 0; j < uk; ++j) {
                const std::uint32_t j2 = (j + 1) % uk;
                const std::uint32_t a0 = pole[i] ? first[i] : first[i] + j;
                const std::uint32_t a1 = pole[i] ? first[i] : first[i] + j2;
                const std::uint32_t b0 = pole[i2] ? first[i2] : first[i2] + j;
                const std::uint32_t b1 = pole[i2] ? first[i2] : first[i2] + j2;
                if (!pole[i2]) out.triangles.push_back({a0, b0, b1});
                if (!pole[i]) out.triangles.push_back({a0, b1, a1});
            }
        }
    }
}

} // namespace plumex
