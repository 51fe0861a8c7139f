#pragma once
// The GLU tessellator behind the mesh export's caps and outlines, odd winding rule (the
// region a POV-Ray prism fills): the boundary of a set of contours, clean and oriented, and
// the triangles of a region with holes.

#include "export/MeshContours.h"
#include "export/MeshPiece.h"

#include <deque>
#include <memory>
#include <vector>

namespace plumex {

class CapTessellator {
public:
    CapTessellator();
    ~CapTessellator();
    CapTessellator(const CapTessellator&) = delete;
    CapTessellator& operator=(const CapTessellator&) = delete;

    // The boundary of the region inside an odd number of `contours`: outer contours
    // anticlockwise (y up), holes clockwise, crossings resolved into new points (rounded to
    // floats), each contour tidied.
    std::vector<MeshContour> boundary(const std::vector<MeshContour>& contours);

    // Triangles covering the region bounded by `contours` (as boundary gives them),
    // anticlockwise, indexing the contours' points in order (the first contour's points, then
    // the second's, ...). A point the tessellator has to add is appended to `added` and
    // indexed after all of the contours' points.
    std::vector<MeshTriangle> triangulate(const std::vector<MeshContour>& contours,
                                          std::vector<TCvCoord>& added);

    struct Vertex {
        double xyz[3];
        std::uint32_t index;
    };
    struct Glu; // the tessellator and what its callbacks collect

private:
    void feed(const std::vector<MeshContour>& contours);

    std::unique_ptr<Glu> glu_;
};

} // namespace plumex
