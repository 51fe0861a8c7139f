#pragma once
// Where the mesh export puts its pieces: one path's mesh at a time, so a large drawing's
// mesh never sits in memory whole.

#include "export/MeshOptions.h"
#include "export/MeshPiece.h"

#include <cstdint>
#include <iosfwd>
#include <memory>

namespace plumex {

class MeshWriter {
public:
    virtual ~MeshWriter() = default;
    virtual void begin() = 0;
    virtual void piece(const MeshPiece& piece) = 0;
    // Completes the file (a binary STL goes back to its header for the triangle count).
    virtual void end() = 0;

    std::uint64_t triangles() const { return triangles_; }
    std::uint64_t vertices() const { return vertices_; }

protected:
    std::uint64_t triangles_ = 0;
    std::uint64_t vertices_ = 0;
};

// Binary STL: an 80-byte header, the triangle count, 50 bytes a triangle. The stream must be
// able to seek back to the count; a stream that cannot turns bad.
std::unique_ptr<MeshWriter> makeStlWriter(std::ostream& out);
// Wavefront OBJ text: one object per path, vertices shared within it, 1-based indices.
std::unique_ptr<MeshWriter> makeObjWriter(std::ostream& out);
std::unique_ptr<MeshWriter> makeMeshWriter(MeshFormat format, std::ostream& out);

} // namespace plumex
