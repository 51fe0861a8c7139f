#include "export/PrismMesh.h"

#include <map>
#include <utility>

namespace plumex {

void prismMesh(const TCvLine& path, double tolerance, double height, double scale,
               CapTessellator& tess, MeshPiece& out) {
    out.clear();
    const auto map = [scale](TCvCoord p) { return TCvCoord{p.x * scale, p.y * scale}; };
    const std::vector<MeshContour> outline =
        tess.boundary(meshContours(path, tolerance * scale, map));
    if (outline.empty()) return;
    std::vector<TCvCoord> added;
    const std::vector<MeshTriangle> cap = tess.triangulate(outline, added);
    // Contours may touch at a point, which the tessellator takes as one: so do the walls.
    std::vector<TCvCoord> points;
    std::vector<std::uint32_t> id;
    std::map<std::pair<double, double>, std::uint32_t> seen;
    const auto take = [&](TCvCoord p) {
        const auto [it, fresh] =
            seen.emplace(std::pair{p.x, p.y}, static_cast<std::uint32_t>(points.size()));
        if (fresh) points.push_back(p);
        id.push_back(it->second);
    };
    for (const MeshContour& c : outline)
        for (TCvCoord p : c) take(p);
    for (TCvCoord p : added) take(p);
    const auto n = static_cast<std::uint32_t>(points.size());
    const auto top = static_cast<float>(height * scale);
    out.vertices.reserve(2 * std::size_t{n});
    for (TCvCoord p : points)
        out.vertices.push_back({static_cast<float>(p.x), static_cast<float>(p.y), 0.0f});
    for (TCvCoord p : points)
        out.vertices.push_back({static_cast<float>(p.x), static_cast<float>(p.y), top});
    out.triangles.reserve(2 * cap.size() + 2 * std::size_t{n});
    for (const MeshTriangle& corners : cap) {
        const MeshTriangle t{id[corners[0]], id[corners[1]], id[corners[2]]};
        if (t[0] == t[1] || t[1] == t[2] || t[0] == t[2]) continue;
        out.triangles.push_back({t[0], t[2], t[1]}); // the bottom faces down
        out.triangles.push_back({t[0] + n, t[1] + n, t[2] + n});
    }
    // Outer contours run anticlockwise and holes clockwise, so the region is on the left of
    // every edge and the wall facing right faces out.
    std::uint32_t start = 0;
    for (const MeshContour& c : outline) {
        const auto m = static_cast<std::uint32_t>(c.size());
        for (std::uint32_t i = 0; i < m; ++i) {
            const std::uint32_t a = id[start + i], b = id[start + (i + 1) % m];
            out.triangles.push_back({a, b, b + n});
            out.triangles.push_back({a, b + n, a + n});
        }
        start += m;
    }
}

} // namespace plumex
