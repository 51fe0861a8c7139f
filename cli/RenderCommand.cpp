// plumex-cli render: the preview scene of a document rendered by POV-Ray, headless.

#include "cli/CliArgs.h"
#include "cli/Commands.h"
#include "cli/DocumentInput.h"
#include "export/PovCheck.h"
#include "export/PovPreview.h"
#include "export/PovRayInvocation.h"
#include "model/FileBytes.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <ostream>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace plumex::cli {

const char* const RenderHelp = R"(Usage: plumex-cli render FILE.plx -o OUT.png [OPTIONS]

Renders the document's paths with POV-Ray as the preview shows them: the export's objects
(the default dialog options) with a fixed camera, light and floor.

  -o OUT.png             the picture; OUT.ppm writes a portable pixmap instead. The previous
                         file survives any failure
  --form prism|lathe|conic-prism|sphere-sweep|sor
                         default prism, seen from above and in front as the conic prism and
                         the sphere sweep are; a lathe and a sor from the side
  --width N --height N   picture size in pixels, 1 to 4096 (default 640 by 480)
  --quick                the rough pass: no shadows, no antialiasing

Exit code 1 with POV-Ray's message and the pre-export findings when the render fails; POV-Ray's
warnings (an object left out) and the findings go to standard error when it renders anyway.
)";

namespace {

namespace fs = std::filesystem;

// A scratch folder removed with everything in it when done.
class TempDir {
public:
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "plumex-render-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) throw Refused("Cannot create a temporary folder");
        path_ = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// Runs povray with its output going to `log`; the exit status, or -1 when it cannot start.
int runPovRay(const std::vector<std::string>& args, const fs::path& log) {
    std::vector<char*> argv;
    std::string program = PovRayProgram;
    argv.push_back(program.data());
    std::vector<std::string> copies = args;
    for (std::string& a : copies) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    pid_t pid = 0;
    const int spawned =
        posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return -1;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}

int sizeOption(const CliArgs& args, const std::string& option, int fallback) {
    if (!args.values.count(option)) return fallback;
    const int v = integerOption(option, args.values.at(option));
    if (v < 1 || v > 4096) throw UsageError(option + " must be within 1..4096");
    return v;
}

std::string failureText(const std::string& povMessage, const std::vector<PovFinding>& found) {
    std::string text = "POV-Ray failed: " + povMessage;
    for (const PovFinding& f : found)
        text += std::string("\n") + severityName(f.severity) + ": " + describeFinding(f);
    return text;
}

} // namespace

int runRender(const std::vector<std::string>& words, std::ostream& out) {
    const CliArgs args = parseArgs(words, {{"-o", "--form", "--width", "--height"}, {"--quick"}});
    if (args.help) {
        out << RenderHelp;
        return 0;
    }
    if (args.positional.size() != 1) throw UsageError("expects one document file");
    if (!args.values.count("-o")) throw UsageError("needs -o OUT.png");
    const std::string form = args.value("--form", "prism");
    const PovMode mode = povForm(form);
    if (mode == PovMode::Array) throw UsageError("unknown value \"" + form + "\" for --form");
    PovRayJob job;
    job.width = sizeOption(args, "--width", 640);
    job.height = sizeOption(args, "--height", 480);
    job.quick = args.flags.count("--quick") != 0;
    const std::string target = args.values.at("-o");
    job.ppm = fs::path(target).extension() == ".ppm";

    const LoadedDocument doc = loadDocument(args.positional[0]);
    const PovDlgState dlg;
    if (PovPreviewObjects(doc.content.lines, mode, dlg).empty()) throw Refused("Nothing to export");
    const TempDir dir;
    job.sceneFile = (dir.path() / "preview.pov").string();
    job.imageFile = (dir.path() / (job.ppm ? "preview.ppm" : "preview.png")).string();
    std::ofstream(job.sceneFile, std::ios::binary) << PovPreviewScene(doc.content.lines, mode, dlg);
    const fs::path log = dir.path() / "povray.log";
    const int status = runPovRay(povrayArguments(job), log);
    if (status < 0) throw Refused(PovRayInstallHint);
    const std::string output = slurp(log);
    std::string failure = povrayFailure(output);
    if (failure.empty() && status != 0) failure = "exit status " + std::to_string(status);
    if (failure.empty() && !fs::exists(job.imageFile)) failure = "no picture written";
    if (!failure.empty())
        throw Refused(failureText(failure, PovCheck(doc.content.lines, mode, dlg, {})));
    // A dropped object still gives a picture: say why it is missing.
    const std::vector<std::string> warnings = povrayWarnings(output);
    for (const std::string& w : warnings) std::cerr << w << "\n";
    if (!warnings.empty())
        for (const PovFinding& f : PovCheck(doc.content.lines, mode, dlg, {}))
            std::cerr << severityName(f.severity) << ": " << describeFinding(f) << "\n";
    try {
        writeFileAtomically(target, readFileBytes(job.imageFile));
    } catch (const std::system_error& e) {
        throw Refused(e.what());
    }
    return 0;
}

} // namespace plumex::cli
