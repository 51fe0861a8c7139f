// plumex-cli trace: the dark areas of a picture as closed paths, placed over it as the editor's
// Load Draft places it.

#include "cli/CliArgs.h"
#include "cli/Commands.h"
#include "model/Document.h"
#include "raster/PictureError.h"
#include "raster/PictureLoader.h"
#include "trace/Trace.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <ostream>

namespace plumex::cli {

const char* const TraceHelp =
    R"(Usage: plumex-cli trace PICTURE [-o OUT.plx] [--width W] [--threshold T] [--invert]
                        [--levels N] [--turd N] [--alphamax A] [--tolerance X] [--no-optimize]

Decodes a BMP, JPEG or PNG picture with the editor's own readers, traces its dark areas into
closed Bezier paths (holes merged, so letters keep their counters) and prints how many paths
and anchors came out. The picture lies W units wide centred on the origin, as Load Draft
places it, and a pixel corner of the picture is a point of the drawing. With -o the paths are
written as a document that names the picture as its draft; the previous file survives any
failure. A picture without dark area is refused with exit code 1.

  -o OUT.plx       the document to write
  --width W        the picture's width in drawing units (default 1)
  --threshold T    brightness 0 to 255 below which a pixel is dark (default 128)
  --invert         trace the light areas instead
  --levels N       2 to 8: quantise into N brightness levels, traced as stacked outlines
  --turd N         drop speckles of at most N pixels (default 2)
  --alphamax A     corner smoothness, 0 (all corners) to 1.34 (no corners; default 1)
  --tolerance X    curve optimisation tolerance in pixels (default 0.2)
  --no-optimize    keep every fitted segment instead of joining them
)";

namespace {

double rangeOption(const std::string& option, const std::string& text, double lo, double hi) {
    double v = 0;
    const char* end = text.data() + text.size();
    const auto res = std::from_chars(text.data(), end, v);
    if (text.empty() || res.ec != std::errc() || res.ptr != end || !std::isfinite(v) || v < lo ||
        v > hi)
        throw UsageError(option + " expects a number from " + std::to_string(lo) + " to " +
                         std::to_string(hi) + ", not \"" + text + "\"");
    return v;
}

int intRangeOption(const std::string& option, const std::string& text, int lo, int hi) {
    const int v = integerOption(option, text);
    if (v < lo || v > hi)
        throw UsageError(option + " expects " + std::to_string(lo) + " to " + std::to_string(hi) +
                         ", not " + text);
    return v;
}

TraceOptions optionsOf(const CliArgs& args) {
    TraceOptions o;
    if (args.values.count("--threshold"))
        o.threshold = intRangeOption("--threshold", args.values.at("--threshold"), 0, 255);
    o.invert = args.flags.count("--invert") != 0;
    if (args.values.count("--levels"))
        o.levels = intRangeOption("--levels", args.values.at("--levels"), 2, MaxTraceLevels);
    if (args.values.count("--turd"))
        o.turdSize = intRangeOption("--turd", args.values.at("--turd"), 0, 1 << 20);
    if (args.values.count("--alphamax"))
        o.alphamax = rangeOption("--alphamax", args.values.at("--alphamax"), 0, MaxAlphamax);
    if (args.values.count("--tolerance"))
        o.tolerance = rangeOption("--tolerance", args.values.at("--tolerance"), 0, 10);
    o.optimize = args.flags.count("--no-optimize") == 0;
    return o;
}

} // namespace

int runTrace(const std::vector<std::string>& words, std::ostream& out) {
    const CliArgs args = parseArgs(
        words, {{"-o", "--width", "--threshold", "--levels", "--turd", "--alphamax", "--tolerance"},
                {"--invert", "--no-optimize"}});
    if (args.help) {
        out << TraceHelp;
        return 0;
    }
    if (args.positional.size() != 1) throw UsageError("expects one picture file");
    const TraceOptions options = optionsOf(args);
    const double width = numberOption("--width", args.value("--width", "1"));
    const std::string& file = args.positional[0];
    RasterImage image;
    try {
        image = loadPicture(file);
    } catch (const PictureError& e) {
        throw Refused(e.what());
    }
    const TracePlacement placement = draftPlacement(image.width, image.height, width);
    TraceResult traced = tracePicture(image, options, placement);
    switch (traced.status) {
    case TraceStatus::Done:
        break;
    case TraceStatus::NoDarkArea:
        throw Refused("No dark area to trace in " + file);
    default:
        throw Refused(traced.error.empty() ? "Could not trace " + file : traced.error);
    }
    std::size_t anchors = 0;
    for (const TCvLine& l : traced.paths) anchors += l.points.size();
    out << traced.paths.size() << " paths, " << anchors << " anchors\n";
    if (!args.values.count("-o")) return 0;
    TCvDocument doc;
    doc.Append(traced.paths);
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(file, ec);
    doc.Settings.draft = {ec ? file : absolute.string(), placement.position, placement.factor};
    std::string error;
    if (!doc.SaveToFile(args.values.at("-o"), &error)) throw Refused(error);
    return 0;
}

} // namespace plumex::cli
