// plumex-cli: the headless front end. Exit codes: 0 done, 1 input refused, 2 usage error.

#include "app/Version.h"
#include "cli/CliArgs.h"
#include "cli/Commands.h"
#include "model/ReadError.h"

#include <cstring>
#include <iostream>
#include <new>

using namespace plumex::cli;

namespace {

const char* const MainHelp = R"(Usage: plumex-cli COMMAND [OPTIONS]

Commands:
  info FILE.plx [--json]        summary of a document
  pov FILE.plx [OPTIONS]        POV-Ray text of its paths: prism, lathe, point arrays, conic
                                prism, sphere sweep or surface of revolution
  spline2plx INPUT.txt|- -o OUT.plx [--make-hole]
                                paths from POV-Ray bezier_spline text
  check FILE.plx [--form F] [--json]
                                what POV-Ray would refuse in the export (exit 1 if any)
  picture FILE [-o OUT.bmp] [--faded]
                                decode a tracing picture (BMP, JPEG, PNG), print its size
  text TEXT --font FAMILY -o OUT.plx [OPTIONS]
                                outlines of a text in an installed or a given font
  render FILE.plx -o OUT.png [--form F] [--width W --height H]
                                the POV-Ray preview picture of its paths
  svg2plx INPUT.svg -o OUT.plx  paths from the shapes of an SVG file
  svg FILE.plx [-o OUT.svg]     the paths as SVG
  ai FILE.plx -o OUT.ai [--scale S]
                                Illustrator 88 file of all paths
  bmp FILE.plx -o OUT.bmp [--scale S] [--margin M] [--mono]
                                greyscale or monochrome bitmap of all paths
  trace PICTURE [-o OUT.plx] [--width W] [--threshold T] [OPTIONS]
                                the picture's dark areas as paths, placed as its draft
  boolean OP IN.plx -o OUT.plx  union, difference, intersection, exclusion or division of
                                the closed paths in file order
  mesh FILE.plx -o OUT.stl|OUT.obj [--form prism|lathe] [OPTIONS]
                                every path as a closed mesh (binary STL or Wavefront OBJ)

Run 'plumex-cli COMMAND --help' for the options of a command, 'plumex-cli --version'
for the version.
Exit codes: 0 success, 1 input refused, 2 usage error.
)";

struct Command {
    const char* name;
    int (*run)(const std::vector<std::string>&, std::ostream&);
};

constexpr Command Commands[] = {
    {"info", runInfo},       {"pov", runPov},         {"spline2plx", runSpline2Plx},
    {"check", runCheck},     {"picture", runPicture}, {"text", runText},
    {"render", runRender},   {"svg2plx", runSvg2Plx}, {"svg", runSvg},
    {"ai", runAi},           {"bmp", runBmp},         {"trace", runTrace},
    {"boolean", runBoolean}, {"mesh", runMesh}};

int dispatch(const std::string& name, const std::vector<std::string>& words) {
    for (const Command& c : Commands)
        if (name == c.name) return c.run(words, std::cout);
    throw UsageError("unknown command " + name);
}

} // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    if (argc < 2) {
        std::cerr << MainHelp;
        return 2;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        std::cout << MainHelp;
        return 0;
    }
    if (name == "--version") {
        std::cout << "plumex-cli " << plumex::Version << "\n";
        return 0;
    }
    const std::vector<std::string> words(argv + 2, argv + argc);
    try {
        const int code = dispatch(name, words);
        std::cout.flush();
        return std::cout ? code : 1;
    } catch (const UsageError& e) {
        std::cerr << "plumex-cli " << name << ": " << e.what() << "\n"
                  << "Try 'plumex-cli " << name << " --help'.\n";
        return 2;
    } catch (const Refused& e) {
        std::cerr << e.what() << "\n";
    } catch (const plumex::ReadError& e) {
        std::cerr << e.what() << "\n";
    } catch (const std::bad_alloc&) {
        std::cerr << "Out of memory\n";
    }
    return 1;
}
