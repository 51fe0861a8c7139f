#pragma once
// A prism of one path as a closed mesh: the region inside an odd number of its contours,
// bottom cap at z = 0, top cap at z = height, walls along the flattened outline.

#include "export/CapTessellator.h"
#include "export/MeshPiece.h"

namespace plumex {

// `tolerance` and `height` in drawing units; every coordinate is multiplied by `scale`.
// Replaces `out`; a path that bounds nothing gives an empty piece.
void prismMesh(const TCvLine& path, double tolerance, double height, double scale,
               CapTessellator& tess, MeshPiece& out);

} // namespace plumex
