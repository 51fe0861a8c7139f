#pragma once
// The mesh of one path: vertices exactly representable as floats (so the STL and OBJ files
// hold the same numbers and shared corners stay shared) and triangles indexing them,
// anticlockwise seen from outside.

#include <array>
#include <cstdint>
#include <vector>

namespace plumex {

struct MeshVertex {
    float x = 0, y = 0, z = 0;

    friend bool operator==(const MeshVertex&, const MeshVertex&) = default;
};

using MeshTriangle = std::array<std::uint32_t, 3>;

struct MeshPiece {
    std::vector<MeshVertex> vertices;
    std::vector<MeshTriangle> triangles;

    void clear() {
        vertices.clear();
        triangles.clear();
    }
};

} // namespace plumex
