// plumex-cli info: a summary of a document, or all of it as JSON.

#include "cli/CliArgs.h"
#include "cli/Commands.h"
#include "cli/DocumentInput.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <ostream>

namespace plumex::cli {

const char* const InfoHelp = R"(Usage: plumex-cli info FILE.plx [--json]

Prints the file version, the number of paths and anchors, the bounds of the drawing, the view
scale and centre, the guide lines and the draft picture reference.

  --json   one JSON object holding the settings and every path with its anchors; every
           number reads back to the same double
)";

namespace {

using Json = nlohmann::ordered_json;

// Shortest text that reads back to the same double.
std::string number(double v) {
    char buf[32];
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

std::string numbers(const std::vector<double>& values) {
    std::string s;
    for (double v : values) s += (s.empty() ? "" : " ") + number(v);
    return s.empty() ? "none" : s;
}

Json coord(TCvCoord p) {
    return Json::array({p.x, p.y});
}

Json pathJson(const TCvLine& line) {
    Json anchors = Json::array();
    for (const TCvPoint& p : line.points)
        anchors.push_back({{"anchor", coord(p.anchor)},
                           {"in", coord(p.inHandle)},
                           {"out", coord(p.outHandle)},
                           {"selected", p.selected != 0},
                           {"independent", p.independent != 0}});
    return {{"name", line.name},
            {"closed", line.closed != 0},
            {"locked", line.locked != 0},
            {"visible", line.visible != 0},
            {"anchors", std::move(anchors)}};
}

Json documentJson(const LoadedDocument& doc) {
    const DocumentSettings& s = doc.content.settings;
    Json draft = nullptr;
    if (!s.draft.fileName.empty())
        draft = {{"file", s.draft.fileName},
                 {"x", s.draft.position.x},
                 {"y", s.draft.position.y},
                 {"factor", s.draft.factor}};
    Json paths = Json::array();
    for (const TCvLine& line : doc.content.lines) paths.push_back(pathJson(line));
    return {{"version", doc.version},        {"scale", s.scale},
            {"center", coord(s.viewCentre)}, {"vguides", s.verticalGuides},
            {"hguides", s.horizontalGuides}, {"draft", std::move(draft)},
            {"paths", std::move(paths)}};
}

void printSummary(const LoadedDocument& doc, std::ostream& out) {
    const auto& lines = doc.content.lines;
    const DocumentSettings& s = doc.content.settings;
    std::size_t anchors = 0;
    TCvRect bounds;
    bool first = true;
    for (const TCvLine& line : lines) {
        anchors += line.points.size();
        if (line.points.empty()) continue;
        bounds = first ? line.GetBounds() : unite(bounds, line.GetBounds());
        first = false;
    }
    out << "version: " << doc.version << "\npaths: " << lines.size() << "\nanchors: " << anchors
        << "\nbounds: ";
    if (first)
        out << "none";
    else
        out << "left " << number(bounds.left) << ", top " << number(bounds.top) << ", right "
            << number(bounds.right) << ", bottom " << number(bounds.bottom);
    out << "\nscale: " << number(s.scale) << "\nview centre: " << number(s.viewCentre.x) << ", "
        << number(s.viewCentre.y) << "\nvertical guides: " << numbers(s.verticalGuides)
        << "\nhorizontal guides: " << numbers(s.horizontalGuides) << "\ndraft: ";
    if (s.draft.fileName.empty())
        out << "none\n";
    else
        out << s.draft.fileName << " at " << number(s.draft.position.x) << ", "
            << number(s.draft.position.y) << ", factor " << number(s.draft.factor) << "\n";
}

} // namespace

int runInfo(const std::vector<std::string>& words, std::ostream& out) {
    const CliArgs args = parseArgs(words, {{}, {"--json"}});
    if (args.help) {
        out << InfoHelp;
        return 0;
    }
    if (args.positional.size() != 1) throw UsageError("expects one document file");
    const LoadedDocument doc = loadDocument(args.positional[0]);
    if (!args.flags.count("--json")) {
        printSummary(doc, out);
        return 0;
    }
    // Names are byte strings; bytes that are not UTF-8 are shown as U+FFFD.
    out << documentJson(doc).dump(-1, ' ', false, Json::error_handler_t::replace) << "\n";
    return 0;
}

} // namespace plumex::cli
