// plumex-cli svg2plx and svg: SVG files in and out, as File > Import and File > Export > SVG.

#include "cli/CliArgs.h"
#include "cli/Commands.h"
#include "cli/DocumentInput.h"
#include "export/SvgExport.h"
#include "model/Document.h"
#include "svg/SvgImport.h"

#include <ostream>
#include <stdexcept>

namespace plumex::cli {

const char* const Svg2PlxHelp =
    R"(Usage: plumex-cli svg2plx INPUT.svg -o OUT.plx [--no-holes] [--filled-only]

Reads an SVG file and writes a document of its shapes: every subpath of a path, rect, circle,
ellipse, line, polyline or polygon becomes a path (arcs and quadratic curves as cubics), closed
when it ends with z; shapes drawn through <use> count, those with display none or with
neither fill nor stroke (they draw nothing) do not. One
pixel is 1/100 unit and y points up, so the picture stays upright. A filled subpath is closed
as a browser fills it.

  -o OUT.plx     the document to write; the previous file survives any failure
  --no-holes     keep nested closed subpaths of one element as paths of their own instead of
                 merging them as holes
  --filled-only  leave out the shapes without a fill (stroked outlines, frames, guides);
                 by default they come in too, closed where they end with z
)";

const char* const SvgHelp = R"(Usage: plumex-cli svg DOC.plx [-o OUT.svg]

Writes every path of the document as SVG: exact cubic data, closed paths filled by the
even-odd rule, open paths stroked, a viewBox around the paths. One unit is 100 pixels.
Without -o the SVG goes to standard output.

  -o OUT.svg     the file to write; the previous file survives any failure
)";

int runSvg2Plx(const std::vector<std::string>& words, std::ostream& out) {
    const CliArgs args = parseArgs(words, {{"-o"}, {"--no-holes", "--filled-only"}});
    if (args.help) {
        out << Svg2PlxHelp;
        return 0;
    }
    if (args.positional.size() != 1) throw UsageError("expects one SVG file");
    if (!args.values.count("-o")) throw UsageError("-o OUT.plx is required");
    TCvDocument doc;
    doc.Lines = ImportSvgFile(args.positional[0], {.makeHoles = !args.has("--no-holes"),
                                                   .filledOnly = args.has("--filled-only")});
    if (doc.Lines.empty()) throw Refused("No shapes found in the SVG file");
    std::string error;
    if (!doc.SaveToFile(args.values.at("-o"), &error)) throw Refused(error);
    return 0;
}

int runSvg(const std::vector<std::string>& words, std::ostream& out) {
    const CliArgs args = parseArgs(words, {{"-o"}, {}});
    if (args.help) {
        out << SvgHelp;
        return 0;
    }
    if (args.positional.size() != 1) throw UsageError("expects one document");
    const LoadedDocument doc = loadDocument(args.positional[0]);
    if (doc.content.lines.empty()) throw Refused("The document holds no paths");
    if (!args.values.count("-o")) {
        try {
            WriteSvg(out, doc.content.lines);
        } catch (const std::domain_error& e) {
            throw Refused(e.what());
        }
        return 0;
    }
    std::string error;
    if (!SvgExportFile(args.values.at("-o"), doc.content.lines, &error)) throw Refused(error);
    return 0;
}

} // namespace plumex::cli
