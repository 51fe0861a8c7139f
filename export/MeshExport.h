#pragma once
// The mesh export run: every path as a prism or a lathe, streamed path by path into a binary
// STL or a Wavefront OBJ file.

#include "export/MeshOptions.h"
#include "export/PovExport.h"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>

namespace plumex {

// Anchors done of all; answers false to cancel.
using MeshProgress = std::function<bool(std::size_t done, std::size_t total)>;

enum class MeshResult { Written, Nothing, Cancelled, Failed };

struct MeshOutcome {
    MeshResult result = MeshResult::Failed;
    std::string error; // why, when Failed or Nothing
    std::uint64_t triangles = 0;
    std::uint64_t vertices = 0;
};

// Thrown through the writer when the progress callback cancels.
struct MeshCancelled {};

// The tolerance the run uses: the option's, or DefaultToleranceShare of the larger side of
// the paths' bounds (1 when they have no extent).
double meshTolerance(const PathRefs& paths, const MeshOptions& options);

// Why the options cannot make a mesh, or empty.
std::string meshOptionsError(const MeshOptions& options);

// Writes the mesh of every path to `out` and answers the counts. Throws MeshCancelled when
// `progress` says so.
MeshOutcome writeMesh(std::ostream& out, MeshFormat format, const PathRefs& paths,
                      const MeshOptions& options, const MeshProgress& progress = {});

// The file, its format from its name. The previous file survives every outcome but Written;
// nothing is written when no path gives a mesh (Nothing).
MeshOutcome MeshExportFile(const std::string& fileName, const PathRefs& paths,
                           const MeshOptions& options, const MeshProgress& progress = {});

} // namespace plumex
