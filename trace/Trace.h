#pragma once
// Tracing a picture: its dark areas become closed cubic paths in drawing units, lying over the
// picture where the draft shows it. The fitting is the potrace library's; this layer turns its
// curves into paths, merges holes as Make Hole does and reports progress.

#include "model/Coord.h"
#include "model/Path.h"
#include "raster/RasterImage.h"
#include "trace/TraceOptions.h"

#include <functional>
#include <string>
#include <vector>

namespace plumex {

// Where the picture lies: its upper-left pixel corner and the drawing units per pixel, so that
// the corner (x, y) of the pixel grid, y counted down, is (position.x + x f, position.y - y f).
struct TracePlacement {
    TCvCoord position;
    double factor = 1.0;
};

// As Load Draft places a picture of `width` x `height` pixels `units` wide: centred on the
// origin.
TracePlacement draftPlacement(int width, int height, double units);

enum class TraceStatus { Done, NoDarkArea, Cancelled, TooLarge, Failed };

struct TraceResult {
    TraceStatus status = TraceStatus::Failed;
    std::vector<TCvLine> paths; // only when Done: closed, holes merged, lighter levels first
    std::string error;          // the reason when Failed or TooLarge
};

// The fraction done, 0 to 1; answers false to cancel. The tracer itself cannot be stopped
// inside one pass, so a cancel takes effect when the running pass returns.
using TraceProgress = std::function<bool(double fraction)>;

TraceResult tracePicture(const RasterImage& image, const TraceOptions& options,
                         const TracePlacement& placement, const TraceProgress& progress = {});

// The picture shrunk by a whole factor so its longer side is at most `maxSide` pixels, with
// `placement` scaled to match (the live preview traces this). Answers the picture itself
// when it is small enough.
RasterImage reducedPicture(const RasterImage& image, int maxSide, TracePlacement& placement);

} // namespace plumex
