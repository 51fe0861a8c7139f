#include "export/MeshExport.h"

#include "export/LatheMesh.h"
#include "export/MeshWriter.h"
#include "export/PrismMesh.h"
#include "model/FileBytes.h"

#include <cmath>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <system_error>

namespace plumex {

namespace {

// No triangle at all: the file would be valid but empty, which nobody asks for.
struct NothingToWrite {};

} // namespace

double meshTolerance(const PathRefs& paths, const MeshOptions& options) {
    if (options.tolerance > 0) return options.tolerance;
    std::optional<TCvRect> r;
    for (const TCvLine* p : paths) {
        if (p->points.empty()) continue;
        r = r ? unite(*r, p->GetBounds()) : p->GetBounds();
    }
    const double size = r ? std::max(r->right - r->left, r->top - r->bottom) : 0;
    return size > 0 && std::isfinite(size) ? size * DefaultToleranceShare : 1.0;
}

std::string meshOptionsError(const MeshOptions& o) {
    if (!(o.height > 0) || !std::isfinite(o.height)) return "The height must be above 0";
    if (!(o.tolerance >= 0) || !std::isfinite(o.tolerance))
        return "The tolerance must be 0 (automatic) or above";
    if (!(o.mmPerUnit > 0) || !std::isfinite(o.mmPerUnit))
        return "The millimetres per unit must be above 0";
    if (o.segments < MinLatheSegments || o.segments > MaxLatheSegments)
        return "The segments must be " + std::to_string(MinLatheSegments) + " to " +
               std::to_string(MaxLatheSegments);
    return {};
}

MeshOutcome writeMesh(std::ostream& out, MeshFormat format, const PathRefs& paths,
                      const MeshOptions& options, const MeshProgress& progress) {
    const double tolerance = meshTolerance(paths, options);
    LatheAxisMap axis;
    if (options.form == MeshForm::Lathe) {
        const PovRequest lathe = PovDlgState{}.request(PovMode::Lathe, latheEdges(paths));
        axis = {lathe.offset, lathe.factor};
    }
    std::size_t total = 0, done = 0;
    for (const TCvLine* p : paths) total += p->points.size();
    const auto writer = makeMeshWriter(format, out);
    writer->begin();
    CapTessellator tess;
    MeshPiece piece;
    for (const TCvLine* p : paths) {
        if (options.form == MeshForm::Prism)
            prismMesh(*p, tolerance, options.height, options.mmPerUnit, tess, piece);
        else
            latheMesh(*p, axis, tolerance, options.segments, options.mmPerUnit, tess, piece);
        writer->piece(piece);
        done += p->points.size();
        if (progress && !progress(done, total)) throw MeshCancelled{};
    }
    writer->end();
    return {MeshResult::Written, {}, writer->triangles(), writer->vertices()};
}

MeshOutcome MeshExportFile(const std::string& fileName, const PathRefs& paths,
                           const MeshOptions& options, const MeshProgress& progress) {
    MeshOutcome outcome;
    MeshFormat format{};
    if (!meshFormatOf(fileName, format)) {
        outcome.error = "The file name must end in .stl or .obj";
        return outcome;
    }
    if (const std::string why = meshOptionsError(options); !why.empty()) {
        outcome.error = why;
        return outcome;
    }
    try {
        writeFileAtomically(fileName, [&](std::ostream& out) {
            outcome = writeMesh(out, format, paths, options, progress);
            if (outcome.triangles == 0) throw NothingToWrite{};
        });
    } catch (const MeshCancelled&) {
        return {MeshResult::Cancelled, {}, 0, 0};
    } catch (const NothingToWrite&) {
        return {MeshResult::Nothing, "Nothing to export", 0, 0};
    } catch (const std::system_error& e) {
        return {MeshResult::Failed, e.what(), 0, 0};
    } catch (const std::exception& e) {
        return {MeshResult::Failed, e.what(), 0, 0};
    }
    return outcome;
}

} // namespace plumex
