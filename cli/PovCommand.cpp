// plumex-cli pov: the POV-Ray export of a document's paths.

#include "cli/CliArgs.h"
#include "cli/Commands.h"
#include "cli/DocumentInput.h"
#include "export/DocumentPovExport.h"
#include "export/PovExport.h"
#include "export/PovShapes.h"

#include <algorithm>
#include <optional>
#include <ostream>

namespace plumex::cli {

const char* const PovHelp = R"(Usage: plumex-cli pov FILE.plx [OPTIONS]

Writes POV-Ray text of the document's paths: one object per path, in the document's order.

  -o OUT.inc             write the include file (with its header line) instead of standard
                         output; the previous file survives any failure
  --form prism|lathe|array|conic-prism|sphere-sweep|sor            default prism
                         conic-prism: a prism narrowing from its outline at --bottom to
                         its apex at --top (POV-Ray's conic_sweep, which sweeps toward the
                         origin: the outline is written about the apex, then turned over and
                         moved back); sphere-sweep: a tube of spheres along each path, lying
                         on the floor as a prism's outline does; sor: a surface of revolution
                         through the anchors, which must rise (a profile drawn downwards is
                         read backwards)
  --paths I,J,...        0-based indices of the paths to export (default: all); they also form
                         the selection whose left and right edges the lathe axis uses
  --direct | --declare NAME | --local NAME        default: direct for prism and lathe,
                         --declare Points for array (which has no direct form); several paths
                         get numbered names
  --bottom TEXT --top TEXT                        prism sweep, default 0 and 1; for the
                         conic prism the heights of the outline and of the apex
  --apex X,Y             conic prism: the point of the drawing the outline narrows to
                         (default 0,0)
  --spline linear|b-spline|cubic                  sphere sweep: linear_spline along the curve
                         flattened to --tolerance, or b_spline or cubic_spline through the
                         anchors (default linear)
  --radius TEXT          sphere sweep: the spheres' radius (default 0.1)
  --tolerance T          sphere sweep: the largest distance of the flattened curve from the
                         drawn one (default a thousandth of each path's size)
  --modifiers TEXT       object modifier lines, "\n" separates lines; default
                         "pigment {color rgb 1}", "" for none (prism and lathe)
  --accuracy N           decimals, 0 to 20 (default 15)
  --axis y|left|right    lathe and sor axis: the y axis (shapes left of it are mirrored), or the left
                         or right edge of the selection; y is taken as left when the selection
                         straddles x = 0 (default y)
  --line-form all-four|shared-ends|polyline       array lines (default all-four)
  --divide N             pieces per curved segment of a polyline, taken within 0..10000
                         (default 50)
  --point-form xy|xy-value|x-value-y              array points <X,Y>, <X,Y,V>, <X,V,Y> (default xy)
  --value TEXT           V of the three-part point forms (default 0)

"Nothing to export" (exit 1) when the chosen paths give no text; no file is touched then.
)";

namespace {

template <class T>
T choice(const CliArgs& args, const std::string& option, T fallback,
         std::initializer_list<std::pair<const char*, T>> names) {
    if (!args.values.count(option)) return fallback;
    const std::string text = args.values.at(option);
    for (const auto& [name, value] : names)
        if (text == name) return value;
    throw UsageError("unknown value \"" + text + "\" for " + option);
}

// "\n" (backslash, n) in the option's text separates lines.
std::string memoText(std::string text) {
    for (std::size_t at = text.find("\\n"); at != std::string::npos; at = text.find("\\n", at))
        text.replace(at, 2, "\n");
    return text;
}

// The --paths indices ascending without repeats (none: every path). `readable` is false when
// some entry is no index; whether the document has them is known only once it is read.
struct PathChoice {
    bool readable = true;
    std::optional<std::vector<std::size_t>> indices;
};

PathChoice pathChoice(const CliArgs& args) {
    if (!args.values.count("--paths")) return {};
    const std::string list = args.values.at("--paths");
    std::vector<std::size_t> indices;
    for (std::size_t start = 0; start <= list.size();) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        int i = -1;
        try {
            i = integerOption("--paths", list.substr(start, comma - start));
        } catch (const UsageError&) {
        }
        // Left to chosenPaths, which refuses it after the document was read.
        if (i < 0) return {.readable = false, .indices = std::nullopt};
        indices.push_back(static_cast<std::size_t>(i));
        start = comma + 1;
    }
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    return {.readable = true, .indices = std::move(indices)};
}

PathRefs chosenPaths(const CliArgs& args, const std::vector<TCvLine>& lines) {
    if (!args.values.count("--paths")) return pathRefs(lines);
    const std::string list = args.values.at("--paths");
    std::vector<int> indices;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        const int i = integerOption("--paths", list.substr(start, comma - start));
        if (i < 0 || static_cast<std::size_t>(i) >= lines.size())
            throw UsageError("--paths: no path " + std::to_string(i) + " (the document has " +
                             std::to_string(lines.size()) + ")");
        indices.push_back(i);
        start = comma + 1;
    }
    std::sort(indices.begin(), indices.end()); // the selection follows the document's order
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    PathRefs chosen;
    for (int i : indices) chosen.push_back(&lines[static_cast<std::size_t>(i)]);
    return chosen;
}

void checkApplies(const CliArgs& args, PovMode mode) {
    const std::pair<const char*, PovMode> only[] = {
        {"--bottom", PovMode::Prism},       {"--top", PovMode::Prism},
        {"--bottom", PovMode::ConicPrism},  {"--top", PovMode::ConicPrism},
        {"--axis", PovMode::Lathe},         {"--axis", PovMode::Sor},
        {"--apex", PovMode::ConicPrism},    {"--spline", PovMode::SphereSweep},
        {"--radius", PovMode::SphereSweep}, {"--tolerance", PovMode::SphereSweep},
        {"--line-form", PovMode::Array},    {"--divide", PovMode::Array},
        {"--point-form", PovMode::Array},   {"--value", PovMode::Array}};
    for (const auto& entry : only) {
        const std::string_view option = entry.first;
        if (!args.has(std::string(option))) continue;
        const bool applies = std::any_of(std::begin(only), std::end(only), [&](const auto& o) {
            return option == o.first && o.second == mode;
        });
        if (!applies) throw UsageError(std::string(option) + " does not apply to this --form");
    }
    if (mode == PovMode::Array && args.has("--modifiers"))
        throw UsageError("--modifiers does not apply to --form array (see --value)");
    if (mode == PovMode::Array && args.has("--direct"))
        throw UsageError("an array has no direct form");
    int kinds = 0;
    for (const char* kind : {"--direct", "--declare", "--local"}) kinds += args.has(kind);
    if (kinds > 1) throw UsageError("give only one of --direct, --declare and --local");
}

std::string accuracyText(const CliArgs& args) {
    if (!args.values.count("--accuracy")) return "15";
    return std::to_string(integerOption("--accuracy", args.values.at("--accuracy")));
}

PovDlgState dialogState(const CliArgs& args, PovMode mode) {
    PovDlgState dlg;
    if (args.has("--declare")) dlg.declaration = PovDeclaration::Declare;
    if (args.has("--local")) dlg.declaration = PovDeclaration::Local;
    dlg.acceptName(mode, args.value("--declare", args.value("--local", "")));
    dlg.modifiers = memoText(args.value("--modifiers", dlg.modifiers));
    dlg.accuracy = accuracyText(args);
    dlg.axis = choice(args, "--axis", LatheAxis::YAxis,
                      {{"y", LatheAxis::YAxis},
                       {"left", LatheAxis::LeftOfSelection},
                       {"right", LatheAxis::RightOfSelection}});
    readShapeOptions(args, dlg);
    return dlg;
}

PovArrayDlgState arrayState(const CliArgs& args) {
    PovArrayDlgState dlg;
    dlg.local = args.has("--local");
    dlg.name = args.value("--declare", args.value("--local", dlg.name));
    if (dlg.name.empty()) throw UsageError("the array needs a name");
    dlg.lineForm = choice(args, "--line-form", LineForm::AllFour,
                          {{"all-four", LineForm::AllFour},
                           {"shared-ends", LineForm::SharedEnds},
                           {"polyline", LineForm::PolyLine}});
    if (args.values.count("--divide"))
        dlg.divideCount = std::to_string(integerOption("--divide", args.values.at("--divide")));
    dlg.pointForm = choice(args, "--point-form", PointForm::XY,
                           {{"xy", PointForm::XY},
                            {"xy-value", PointForm::XYValue},
                            {"x-value-y", PointForm::XValueY}});
    dlg.value = args.value("--value", dlg.value);
    dlg.accuracy = accuracyText(args);
    return dlg;
}

} // namespace

int runPov(const std::vector<std::string>& words, std::ostream& out) {
    const OptionSpec options{{"-o", "--form", "--paths", "--declare", "--local", "--bottom",
                              "--top", "--modifiers", "--accuracy", "--axis", "--line-form",
                              "--divide", "--point-form", "--value", "--apex", "--spline",
                              "--radius", "--tolerance"},
                             {"--direct"}};
    const CliArgs args = parseArgs(words, options);
    if (args.help) {
        out << PovHelp;
        return 0;
    }
    if (args.positional.size() != 1) throw UsageError("expects one document file");
    const PovMode mode = povForm(args.value("--form", "prism"));
    checkApplies(args, mode);
    const PovDlgState dlg = mode == PovMode::Array ? PovDlgState{} : dialogState(args, mode);
    const PovArrayDlgState arrayDlg =
        mode == PovMode::Array ? arrayState(args) : PovArrayDlgState{};
    // Into a file, the paths are formatted while the document is read, where the request does
    // not wait for the whole selection; anything that does not fit that is exported below.
    DocumentContent content;
    bool loaded = false;
    const PathChoice picked = pathChoice(args);
    if (args.values.count("-o") && !PovRequestUsesSelection(mode) && picked.readable) {
        const PovRequest request = PovExportRequest({}, mode, dlg, arrayDlg);
        DocumentPovExport streamed =
            exportDocumentPov(args.positional[0], args.values.at("-o"), request, picked.indices);
        switch (streamed.outcome) {
        case DocumentPovOutcome::Written:
            return 0;
        case DocumentPovOutcome::NothingToExport:
            throw Refused("Nothing to export");
        case DocumentPovOutcome::WriteFailed:
            throw Refused(streamed.error);
        case DocumentPovOutcome::NotStreamed:
            content = std::move(streamed.content);
            loaded = true;
            break;
        }
    }
    if (!loaded) content = loadDocument(args.positional[0]).content;
    // The text goes out as it is made: a large drawing's text never sits in memory whole.
    const PathRefs paths = chosenPaths(args, content.lines);
    const PovRequest request = PovExportRequest(paths, mode, dlg, arrayDlg);
    if (!PovHasAnyText(paths, request)) throw Refused("Nothing to export");
    if (!args.values.count("-o")) {
        writePovExport(out, paths, request);
        return 0;
    }
    std::string error;
    if (!PovExportFile(args.values.at("-o"), paths, request, &error)) throw Refused(error);
    return 0;
}

} // namespace plumex::cli
