// plumex-cli text: the outlines of a text as a document, without the window.

#include "cli/CliArgs.h"
#include "cli/Commands.h"
#include "model/Document.h"
#include "text/TextRequest.h"

#include <iostream>

namespace plumex::cli {

const std::string TextHelp =
    R"(Usage: plumex-cli text TEXT --font FAMILY [OPTIONS] -o OUT.plx
       plumex-cli text TEXT --font-file FONT.ttf [OPTIONS] -o OUT.plx

Writes the outlines of TEXT (UTF-8; a line break starts the next line) as closed paths, the
first baseline starting at (0, 0). The face used is reported on standard error, with a note
when the family asked for is not installed and another one stands in.

  --font FAMILY          an installed font family (see fc-list : family)
  --font-file FILE       a TrueType or OpenType file (.ttf, .otf, .ttc) instead
  --face-index N         the face of a collection file (default 0)
  --style STYLE          regular (default), bold, italic or bold-italic
  --size UNITS           height in drawing units of a 100-point glyph (default 1; above 0
                         and at most )" +
    ObjectSizeLimitText() + R"()
  --no-holes             keep every contour a path of its own instead of merging holes
  --append-to DOC.plx    add the outlines after the paths of DOC.plx
  -o OUT.plx             the document to write; the previous file survives any failure
)";

namespace {

double sizeOption(const std::string& text) {
    if (const std::optional<double> v = ParseObjectSize(text)) return *v;
    throw UsageError("--size wants a number above 0 and at most " + ObjectSizeLimitText() +
                     ", not " + text);
}

TextRequest requestOf(const CliArgs& args) {
    TextRequest r;
    r.text = args.positional[0];
    r.family = args.value("--font", "");
    r.fontFile = args.value("--font-file", "");
    if (r.family.empty() == r.fontFile.empty())
        throw UsageError("give either --font FAMILY or --font-file FILE");
    r.faceIndex = integerOption("--face-index", args.value("--face-index", "0"));
    const std::string style = args.value("--style", "regular");
    if (style != "regular" && style != "bold" && style != "italic" && style != "bold-italic")
        throw UsageError("unknown style " + style);
    r.bold = style == "bold" || style == "bold-italic";
    r.italic = style == "italic" || style == "bold-italic";
    r.objectSize = sizeOption(args.value("--size", "1"));
    r.makeHoles = !args.flags.count("--no-holes");
    return r;
}

} // namespace

int runText(const std::vector<std::string>& words, std::ostream& out) {
    const CliArgs args = parseArgs(
        words, {{"-o", "--font", "--font-file", "--face-index", "--style", "--size", "--append-to"},
                {"--no-holes"}});
    if (args.help) {
        out << TextHelp;
        return 0;
    }
    if (args.positional.size() != 1) throw UsageError("expects one TEXT");
    if (!args.values.count("-o")) throw UsageError("-o OUT.plx is required");
    const TextRequest request = requestOf(args);
    TCvDocument doc;
    if (args.values.count("--append-to")) doc.LoadFromFile(args.values.at("--append-to"));
    struct FontCaches {
        ~FontCaches() { ReleaseFontCaches(); }
    } caches;
    const TextOutlines text = MakeTextOutlines(request, {0, 0});
    std::cerr << "font: " << DescribeFont(text.font, request.family) << " (" << text.font.file
              << ")\n";
    if (text.paths.empty()) throw Refused("The text has no outlines in this font");
    doc.DeselectAll();
    doc.Append(text.paths);
    doc.SelectionChanged();
    std::string error;
    if (!doc.SaveToFile(args.values.at("-o"), &error)) throw Refused(error);
    return 0;
}

} // namespace plumex::cli
