#pragma once
// Command-line arguments of one subcommand: positional words, options with a value, flags.

#include "export/PovOptions.h"

#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace plumex::cli {

// A wrong command line: reported with a hint to --help, exit code 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Input the program refuses with its own message, exit code 1.
class Refused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct OptionSpec {
    std::set<std::string> withValue; // e.g. "-o", "--form"
    std::set<std::string> flags;     // e.g. "--json"
};

struct CliArgs {
    std::vector<std::string> positional;
    std::map<std::string, std::string> values; // the last one given wins
    std::set<std::string> flags;
    std::vector<std::string> order; // options in the order given
    bool help = false;

    bool has(const std::string& option) const {
        return values.count(option) != 0 || flags.count(option) != 0;
    }
    std::string value(const std::string& option, const std::string& fallback) const {
        const auto it = values.find(option);
        return it == values.end() ? fallback : it->second;
    }
};

// Throws UsageError for an unknown option or a missing value. "--help" anywhere sets help.
CliArgs parseArgs(const std::vector<std::string>& words, const OptionSpec& options);

// A decimal integer or a UsageError naming the option.
int integerOption(const std::string& option, const std::string& text);

// A positive finite decimal number or a UsageError naming the option.
double numberOption(const std::string& option, const std::string& text);

// --bottom, --top, --apex X,Y, --spline, --radius and --tolerance into the dialog state.
void readShapeOptions(const CliArgs& args, PovDlgState& dlg);

// The POV-Ray form named by --form: prism, lathe, array, conic-prism, sphere-sweep or sor.
PovMode povForm(const std::string& name);

} // namespace plumex::cli
