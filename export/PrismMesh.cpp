#include "export/PrismMesh.h"

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
    std::vector<TCvCoord> points;
    for (const MeshContour& c : outline) points.insert(points.end(), c.begin(), c.end());
    points.insert(points.end(), added.begin(), added.end());
    const auto n = static_cast<std::uint32_t>(points.size());
    const auto top = static_cast<float>(height * scale);
    out.vertices.reserve(2 * std::size_t{n});
    for (TCvCoord p : points)
        out.vertices.push_back({static_cast<float>(p.x), static_cast<float>(p.y), 0.0f});
    for (TCvCoord p : points)
        out.vertices.push_back({static_cast<float>(p.x), static_cast<float>(p.y), top});
    out.triangles.reserve(2 * cap.size() + 2 * std::size_t{n});
    for (const MeshTriangle& t : cap) {
        out.triangles.push_back({t[0], t[2], t[1]}); // the bottom faces down
        out.triangles.push_back({t[0] + n, t[1] + n, t[2] + n});
    }
    // Outer contours run anticlockwise and holes clockwise, so the region is on the left of
    // every edge and the wall facing right faces out.
    std::uint32_t start = 0;
    for (const MeshContour& c : outline) {
        const auto m = static_cast<std::uint32_t>(c.size());
        for (std::uint32_t i = 0; i < m; ++i) {
            const std::uint32_t a = start + i, b = start + (i + 1) % m;
            out.triangles.push_back({a, b, b + n});
            out.triangles.push_back({a, b + n, a + n});
        }
        start += m;
    }
}

} // namespace plumex
