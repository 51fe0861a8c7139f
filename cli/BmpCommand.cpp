// plumex-cli bmp: the bitmap file of a whole document.

#include "cli/CliArgs.h"
#include "cli/Commands.h"
#include "cli/DocumentInput.h"
#include "export/BitmapExport.h"
#include "export/ContentBounds.h"

#include <ostream>

namespace plumex::cli {

const char* const BmpHelp =
    R"(Usage: plumex-cli bmp FILE.plx -o OUT.bmp [--scale 100] [--margin 10] [--mono]

Renders every path of the document (whatever its selection, lock or visibility) in black on
white: closed paths filled (holes stay white), open paths as thin lines. Greyscale smooths
edges from 8 x 8 samples per pixel; --mono writes a two-colour bitmap.

  --scale S     output pixels per drawing unit (default 100)
  --margin M    blank border in pixels on every side (default 10)
  --mono        two colours instead of 256 greys

The draft picture is not loaded, so only the paths set the frame. The previous file survives
any failure.
)";

int runBmp(const std::vector<std::string>& words, std::ostream& out) {
    const CliArgs args = parseArgs(words, {{"-o", "--scale", "--margin"}, {"--mono"}});
    if (args.help) {
        out << BmpHelp;
        return 0;
    }
    if (args.positional.size() != 1) throw UsageError("expects one document file");
    if (!args.values.count("-o")) throw UsageError("needs -o OUT.bmp");
    BitmapRequest request;
    if (args.values.count("--scale"))
        request.scale = numberOption("--scale", args.values.at("--scale"));
    if (args.values.count("--margin")) {
        request.margin = integerOption("--margin", args.values.at("--margin"));
        if (request.margin < 0) throw UsageError("--margin cannot be negative");
    }
    if (args.has("--mono")) request.mode = BitmapMode::Monochrome;
    const LoadedDocument doc = loadDocument(args.positional[0]);
    request.bounds = contentBounds(doc.content.lines);
    const BitmapOutcome outcome = ExportBitmap(args.values.at("-o"), doc.content.lines, request);
    if (outcome.result == BitmapResult::TooLarge)
        throw Refused("Could not create a Bitmap! Size may be Too large.");
    if (outcome.result != BitmapResult::Written) throw Refused(outcome.error);
    return 0;
}

} // namespace plumex::cli
