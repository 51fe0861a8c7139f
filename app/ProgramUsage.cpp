#include "app/ProgramUsage.h"

namespace plumex {

namespace {

// Kept in English like plumex-cli's texts: it is read in a terminal and becomes the manual.
const char* const ProgramHelp = R"(Usage: plumex [FILE.plx]

Opens the editor window for cubic Bezier paths, on the drawing FILE.plx when one is given.
Paths are drawn with the mouse, traced over a draft picture or made from the outlines of a
text, and exported as POV-Ray prisms, lathes and point arrays, as SVG, Illustrator 88 or a
bitmap. plumex-cli makes the same exports without a window.

Options:
  -h, --help     print this help and exit
  --version      print the version and exit

Settings are kept in plumex.ini beside the program when that file exists or the program's
folder is writable, otherwise in $XDG_CONFIG_HOME/plumex/plumex.ini (by default
~/.config/plumex/plumex.ini). Language files (*.pll) are read from the program's folder.

Exit status: 0 when the window was closed, 1 when the program could not start.
)";

} // namespace

std::optional<int> answerProgramQuestion(const std::vector<std::string>& arguments,
                                         const std::string& version, std::ostream& out) {
    if (arguments.empty()) return std::nullopt;
    const std::string& first = arguments.front();
    if (first == "--help" || first == "-h") {
        out << ProgramHelp;
        return out.flush() ? 0 : 1;
    }
    if (first == "--version") {
        out << "plumex " << version << "\n";
        return out.flush() ? 0 : 1;
    }
    return std::nullopt;
}

} // namespace plumex
