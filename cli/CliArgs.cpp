#include "cli/CliArgs.h"

#include "export/PovShapes.h"

#include <charconv>
#include <cmath>

namespace plumex::cli {

CliArgs parseArgs(const std::vector<std::string>& words, const OptionSpec& options) {
    CliArgs args;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        if (optionsEnded || w == "-" || w.empty() || w[0] != '-') {
            args.positional.push_back(w);
        } else if (w == "--") {
            optionsEnded = true;
        } else if (w == "--help" || w == "-h") {
            args.help = true;
        } else if (options.flags.count(w)) {
            args.flags.insert(w);
            args.order.push_back(w);
        } else if (options.withValue.count(w)) {
            if (i + 1 >= words.size()) throw UsageError("option " + w + " needs a value");
            args.values[w] = words[++i];
            args.order.push_back(w);
        } else {
            throw UsageError("unknown option " + w);
        }
    }
    return args;
}

int integerOption(const std::string& option, const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto res = std::from_chars(text.data(), end, value);
    if (text.empty() || res.ec != std::errc() || res.ptr != end)
        throw UsageError(option + " needs an integer, not \"" + text + "\"");
    return value;
}

double numberOption(const std::string& option, const std::string& text) {
    double v = 0;
    const char* end = text.data() + text.size();
    const auto res = std::from_chars(text.data(), end, v);
    if (text.empty() || res.ec != std::errc() || res.ptr != end || !std::isfinite(v) || v <= 0)
        throw UsageError(option + " expects a positive number, not \"" + text + "\"");
    return v;
}

void readShapeOptions(const CliArgs& args, PovDlgState& dlg) {
    dlg.bottom = args.value("--bottom", dlg.bottom);
    dlg.top = args.value("--top", dlg.top);
    if (args.values.count("--apex")) {
        const std::string apex = args.values.at("--apex");
        const std::size_t comma = apex.find(',');
        double x = 0, y = 0;
        if (comma == std::string::npos || !fieldNumber(apex.substr(0, comma), x) ||
            !fieldNumber(apex.substr(comma + 1), y))
            throw UsageError("--apex expects two numbers X,Y");
        dlg.apexX = apex.substr(0, comma);
        dlg.apexY = apex.substr(comma + 1);
    }
    if (args.values.count("--spline")) {
        const std::string& name = args.values.at("--spline");
        if (name == "linear")
            dlg.spline = SweepSpline::Linear;
        else if (name == "b-spline")
            dlg.spline = SweepSpline::BSpline;
        else if (name == "cubic")
            dlg.spline = SweepSpline::Cubic;
        else
            throw UsageError("unknown value \"" + name + "\" for --spline");
    }
    dlg.radius = args.value("--radius", dlg.radius);
    if (args.values.count("--tolerance")) {
        numberOption("--tolerance", args.values.at("--tolerance"));
        dlg.tolerance = args.values.at("--tolerance");
    }
}

PovMode povForm(const std::string& name) {
    const std::pair<const char*, PovMode> forms[] = {{"prism", PovMode::Prism},
                                                     {"lathe", PovMode::Lathe},
                                                     {"array", PovMode::Array},
                                                     {"conic-prism", PovMode::ConicPrism},
                                                     {"sphere-sweep", PovMode::SphereSweep},
                                                     {"sor", PovMode::Sor}};
    for (const auto& [word, mode] : forms)
        if (name == word) return mode;
    throw UsageError("unknown value \"" + name + "\" for --form");
}

} // namespace plumex::cli
