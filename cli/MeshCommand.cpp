// plumex-cli mesh: every path as a closed prism or lathe mesh, binary STL or Wavefront OBJ.

#include "cli/CliArgs.h"
#include "cli/Commands.h"
#include "cli/DocumentInput.h"
#include "export/MeshExport.h"

#include <ostream>

namespace plumex::cli {

const char* const MeshHelp = R"(Usage: plumex-cli mesh FILE.plx -o OUT.stl|OUT.obj [OPTIONS]

Writes every path of the document as a closed triangle mesh: a binary STL or a Wavefront OBJ
file, by the extension of OUT. Axes: x right and y up as in the drawing; a prism rises along
+z from 0, a lathe turns about the vertical axis the POV-Ray lathe uses: the y axis (paths
left of it are mirrored), or the paths' left edge when they straddle it.

  -o OUT.stl|OUT.obj     the mesh file; the previous file survives any failure
  --form prism|lathe     default prism; a path's holes stay holes, an open lathe profile
                         is closed straight across to the axis
  --height H             prism height (top minus bottom) in drawing units (default 1)
  --tolerance T          greatest distance of the flattened outline from the curves, in
                         drawing units (default 0.001 of the drawing's larger side)
  --segments N           pieces of the lathe's full turn, 3 to 4096 (default 128)
  --mm-per-unit U        millimetres (mesh units) per drawing unit (default 1)

Prints the triangle and vertex counts. "Nothing to export" (exit 1) when no path bounds an
area; no file is touched then.
)";

int runMesh(const std::vector<std::string>& words, std::ostream& out) {
    const OptionSpec options{
        {"-o", "--form", "--height", "--tolerance", "--segments", "--mm-per-unit"}, {}};
    const CliArgs args = parseArgs(words, options);
    if (args.help) {
        out << MeshHelp;
        return 0;
    }
    if (args.positional.size() != 1) throw UsageError("expects one document file");
    if (!args.values.count("-o")) throw UsageError("needs -o OUT.stl or OUT.obj");
    const std::string target = args.values.at("-o");
    MeshFormat format{};
    if (!meshFormatOf(target, format)) throw UsageError("-o needs a name ending in .stl or .obj");
    MeshOptions mesh;
    mesh.height = defaultPrismHeight();
    const std::string form = args.value("--form", "prism");
    if (form == "lathe")
        mesh.form = MeshForm::Lathe;
    else if (form != "prism")
        throw UsageError("unknown value \"" + form + "\" for --form");
    if (args.values.count("--height"))
        mesh.height = numberOption("--height", args.values.at("--height"));
    if (args.values.count("--tolerance"))
        mesh.tolerance = numberOption("--tolerance", args.values.at("--tolerance"));
    if (args.values.count("--mm-per-unit"))
        mesh.mmPerUnit = numberOption("--mm-per-unit", args.values.at("--mm-per-unit"));
    if (args.values.count("--segments")) {
        mesh.segments = integerOption("--segments", args.values.at("--segments"));
        if (mesh.segments < MinLatheSegments || mesh.segments > MaxLatheSegments)
            throw UsageError("--segments must be " + std::to_string(MinLatheSegments) + " to " +
                             std::to_string(MaxLatheSegments));
    }
    if (mesh.form == MeshForm::Prism && args.has("--segments"))
        throw UsageError("--segments does not apply to --form prism");
    if (mesh.form == MeshForm::Lathe && args.has("--height"))
        throw UsageError("--height does not apply to --form lathe");
    const LoadedDocument doc = loadDocument(args.positional[0]);
    const MeshOutcome outcome = MeshExportFile(target, pathRefs(doc.content.lines), mesh);
    if (outcome.result != MeshResult::Written) throw Refused(outcome.error);
    out << outcome.triangles << " triangles, " << outcome.vertices << " vertices\n";
    return 0;
}

} // namespace plumex::cli
