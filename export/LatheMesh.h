#pragma once
// A lathe of one path as a closed mesh: the region the profile bounds, turned about the
// vertical axis. An open profile is closed along the axis: each end off the axis is joined
// to it straight across, which closes the solid there with a flat disc.

#include "export/CapTessellator.h"
#include "export/MeshPiece.h"

namespace plumex {

// The POV-Ray lathe's mapping of the drawing's x to a radius: (x + offset) * factor, and
// the axis at x = -offset.
struct LatheAxisMap {
    double offset = 0;
    double factor = 1;
};

// `tolerance` in drawing units; every coordinate is multiplied by `scale`. Replaces `out`.
void latheMesh(const TCvLine& path, LatheAxisMap axis, double tolerance, int segments, double scale,
               CapTessellator& tess, MeshPiece& out);

} // namespace plumex
