// plumex-cli spline2plx: a document of the paths that pasting bezier_spline text would give.

#include "cli/CliArgs.h"
#include "cli/Commands.h"
#include "export/PovSplineText.h"
#include "model/Document.h"
#include "model/FileBytes.h"
#include "model/ViewFit.h"

#include <cmath>
#include <iostream>
#include <iterator>

namespace plumex::cli {

const char* const Spline2PlxHelp =
    R"(Usage: plumex-cli spline2plx INPUT.txt|- -o OUT.plx [--make-hole]

Reads text holding POV-Ray bezier_spline point lists (such as exported prisms and lathes; "-"
reads standard input) and writes a document of the paths pasting that text gives: a break in
continuity starts a new path, a closing point equal to the first closes the path.

  -o OUT.plx     the document to write; the previous file survives any failure
  --make-hole    merge nested closed paths into paths with holes, as Make Hole does

The document's view shows the whole drawing in the editor's default window.
)";

namespace {

std::string readInput(const std::string& name) {
    if (name != "-") {
        const std::vector<std::uint8_t> bytes = readFileBytes(name);
        return std::string(bytes.begin(), bytes.end());
    }
    std::string text((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
    if (std::cin.bad()) throw Refused("Cannot read standard input");
    return text;
}

} // namespace

int runSpline2Plx(const std::vector<std::string>& words, std::ostream& out) {
    const CliArgs args = parseArgs(words, {{"-o"}, {"--make-hole"}});
    if (args.help) {
        out << Spline2PlxHelp;
        return 0;
    }
    if (args.positional.size() != 1) throw UsageError("expects one input file or -");
    if (!args.values.count("-o")) throw UsageError("-o OUT.plx is required");
    TCvDocument doc;
    doc.Lines = PathsFromSplineText(readInput(args.positional[0]));
    if (doc.Lines.empty()) throw Refused("No bezier_spline points found");
    doc.SelectionChanged();
    if (args.flags.count("--make-hole") && doc.CountSelected() > 1) doc.MakeHole();
    // Opened in the editor's default window, the document shows its whole drawing.
    const ViewFit view =
        fitView(*drawingBounds(doc.Lines), DefaultViewWidth, DefaultViewHeight, doc.Settings.scale);
    if (std::isfinite(view.scale) && std::isfinite(view.centre.x) && std::isfinite(view.centre.y)) {
        doc.Settings.scale = view.scale;
        doc.Settings.viewCentre = view.centre;
    }
    std::string error;
    if (!doc.SaveToFile(args.values.at("-o"), &error)) throw Refused(error);
    return 0;
}

} // namespace plumex::cli
