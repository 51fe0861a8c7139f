// plumex-cli ai: the Illustrator 88 file of a whole document.

#include "cli/CliArgs.h"
#include "cli/Commands.h"
#include "cli/DocumentInput.h"
#include "export/ContentBounds.h"
#include "export/IllustratorExport.h"

#include <ostream>

namespace plumex::cli {

const char* const AiHelp = R"(Usage: plumex-cli ai FILE.plx -o OUT.ai [--scale S]

Writes every path of the document (whatever its selection, lock or visibility) as an
Adobe Illustrator 88 file: one drawing unit becomes S points (default: the scale stored in
the document), framed by a 10-point margin. The draft picture is not loaded, so only the
paths set the frame. The previous file survives any failure.
)";

int runAi(const std::vector<std::string>& words, std::ostream& out) {
    const CliArgs args = parseArgs(words, {{"-o", "--scale"}, {}});
    if (args.help) {
        out << AiHelp;
        return 0;
    }
    if (args.positional.size() != 1) throw UsageError("expects one document file");
    if (!args.values.count("-o")) throw UsageError("needs -o OUT.ai");
    const double scale =
        args.values.count("--scale") ? numberOption("--scale", args.values.at("--scale")) : 0;
    const LoadedDocument doc = loadDocument(args.positional[0]);
    const std::vector<TCvLine>& lines = doc.content.lines;
    std::string error;
    if (!ExportIllustrator(args.values.at("-o"), lines,
                           scale > 0 ? scale : doc.content.settings.scale, contentBounds(lines),
                           &error))
        throw Refused(error);
    return 0;
}

} // namespace plumex::cli
