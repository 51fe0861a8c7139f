// plumex-cli check: what POV-Ray would refuse or draw differently in the export of a document.

#include "cli/CliArgs.h"
#include "cli/Commands.h"
#include "cli/DocumentInput.h"
#include "export/PovCheck.h"

#include <nlohmann/json.hpp>

#include <ostream>

namespace plumex::cli {

const char* const CheckHelp = R"(Usage: plumex-cli check FILE.plx [OPTIONS]

Lists what POV-Ray 3.7 would refuse, leave out or draw differently when the document's paths
are exported, one finding a line: severity, path (1-based, with its name), anchor, what to do.
Exit code 1 when some finding is a refusal, 0 otherwise.

  --form prism|lathe|array|conic-prism|sphere-sweep|sor      default prism
  --accuracy N                  decimals, 0 to 20 (default 15)
  --axis y|left|right           lathe and sor axis (default y, taken as left when the paths
                                straddle x = 0)
  --line-form all-four|shared-ends|polyline      array lines (default all-four)
  --divide N                    array polyline pieces per curved segment (default 50)
  --bottom TEXT --top TEXT --apex X,Y           conic prism heights and apex (see pov)
  --spline linear|b-spline|cubic                 sphere sweep spline (see pov)
  --radius TEXT --tolerance T   sphere sweep radius and flattening (see pov)
  --json                        {"findings": [{"severity", "rule", "path", "name", "anchor",
                                "message"}...], "refuse": N, "warn": N, "hint": N}; anchor 0
                                when the finding is about the whole path
)";

namespace {

template <class T>
T pick(const CliArgs& args, const std::string& option, T fallback,
       std::initializer_list<std::pair<const char*, T>> names) {
    if (!args.values.count(option)) return fallback;
    for (const auto& [name, value] : names)
        if (args.values.at(option) == name) return value;
    throw UsageError("unknown value \"" + args.values.at(option) + "\" for " + option);
}

int countOf(const std::vector<PovFinding>& findings, PovSeverity severity) {
    int n = 0;
    for (const PovFinding& f : findings) n += f.severity == severity;
    return n;
}

void writeJson(std::ostream& out, const std::vector<PovFinding>& findings) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const PovFinding& f : findings)
        list.push_back({{"severity", severityName(f.severity)},
                        {"rule", ruleName(f.rule)},
                        {"path", f.path},
                        {"name", f.pathName},
                        {"anchor", f.anchor},
                        {"message", f.message}});
    nlohmann::ordered_json doc = {{"findings", list},
                                  {"refuse", countOf(findings, PovSeverity::Refuse)},
                                  {"warn", countOf(findings, PovSeverity::Warn)},
                                  {"hint", countOf(findings, PovSeverity::Hint)}};
    // Names are the document's bytes; replace what is not UTF-8 rather than fail.
    out << doc.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
}

} // namespace

int runCheck(const std::vector<std::string>& words, std::ostream& out) {
    const CliArgs args =
        parseArgs(words, {{"--form", "--accuracy", "--axis", "--line-form", "--divide", "--bottom",
                           "--top", "--apex", "--spline", "--radius", "--tolerance"},
                          {"--json"}});
    if (args.help) {
        out << CheckHelp;
        return 0;
    }
    if (args.positional.size() != 1) throw UsageError("expects one document file");
    const PovMode mode = povForm(args.value("--form", "prism"));
    PovDlgState dlg;
    PovArrayDlgState arrayDlg;
    if (args.values.count("--accuracy"))
        dlg.accuracy = arrayDlg.accuracy =
            std::to_string(integerOption("--accuracy", args.values.at("--accuracy")));
    dlg.axis = pick(args, "--axis", LatheAxis::YAxis,
                    {{"y", LatheAxis::YAxis},
                     {"left", LatheAxis::LeftOfSelection},
                     {"right", LatheAxis::RightOfSelection}});
    arrayDlg.lineForm = pick(args, "--line-form", LineForm::AllFour,
                             {{"all-four", LineForm::AllFour},
                              {"shared-ends", LineForm::SharedEnds},
                              {"polyline", LineForm::PolyLine}});
    if (args.values.count("--divide"))
        arrayDlg.divideCount =
            std::to_string(integerOption("--divide", args.values.at("--divide")));
    readShapeOptions(args, dlg);
    const LoadedDocument doc = loadDocument(args.positional[0]);
    const std::vector<PovFinding> findings = PovCheck(doc.content.lines, mode, dlg, arrayDlg);
    if (args.flags.count("--json")) {
        writeJson(out, findings);
    } else {
        for (const PovFinding& f : findings)
            out << severityName(f.severity) << ": " << describeFinding(f) << "\n";
        if (findings.empty()) out << "No findings\n";
    }
    return PovCheckRefuses(findings) ? 1 : 0;
}

} // namespace plumex::cli
