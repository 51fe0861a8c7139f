#include "export/PovRayInvocation.h"

#include <algorithm>
#include <charconv>

namespace plumex {

std::vector<std::string> povrayArguments(const PovRayJob& job) {
    std::vector<std::string> args{"+I" + job.sceneFile,
                                  "+O" + job.imageFile,
                                  "+W" + std::to_string(std::max(job.width, 1)),
                                  "+H" + std::to_string(std::max(job.height, 1)),
                                  "-D",
                                  "-P",
                                  "+V",
                                  job.ppm ? "+FP" : "+FN"};
    if (job.quick) {
        args.push_back("+Q3");
        args.push_back("-A");
    } else {
        args.push_back("+Q9");
        std::string threshold = std::to_string(job.antialias);
        while (threshold.back() == '0') threshold.pop_back();
        if (threshold.back() == '.') threshold.pop_back();
        args.push_back("+A" + threshold);
        args.push_back("+R" + std::to_string(std::clamp(job.antialiasDepth, 1, 9)));
    }
    return args;
}

namespace {

// About 160 by 120: POV-Ray's start-up, not the pixels, is then most of the quick pass.
constexpr long QuickPixels = 19200;
constexpr long SmallPixels = 320L * 240;
constexpr long LargePixels = 1024L * 768;

} // namespace

std::vector<PovRayJob> povrayPreviewPasses(int width, int height) {
    PovRayJob full;
    full.width = std::max(width, 1);
    full.height = std::max(height, 1);
    const long pixels = static_cast<long>(full.width) * full.height;
    if (pixels <= SmallPixels) {
        full.antialias = 0.1;
        full.antialiasDepth = 3;
    } else if (pixels <= LargePixels) {
        full.antialias = 0.3;
        full.antialiasDepth = 3;
    } else {
        full.antialias = 0.3;
        full.antialiasDepth = 2;
    }
    // The quick pass keeps the proportions: a third of the size, less when that is still
    // more than QuickPixels.
    double shrink = 3;
    while (static_cast<double>(pixels) / (shrink * shrink) > QuickPixels) shrink *= 1.25;
    PovRayJob quick = full;
    quick.quick = true;
    quick.width = std::max(1, static_cast<int>(full.width / shrink));
    quick.height = std::max(1, static_cast<int>(full.height / shrink));
    return {quick, full};
}

namespace {

std::string_view trimmed(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
    while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    return line;
}

bool startsWith(std::string_view line, std::string_view head) {
    return line.substr(0, head.size()) == head;
}

// POV-Ray wraps its messages at 80 columns, so one message may take several lines: the lines
// after a message's first belong to it until an empty line, a rule or the next message.
bool continues(std::string_view line) {
    for (std::string_view head :
         {"File '", "---", "===", "Fatal error", "Render failed", "Possible Parse Error"})
        if (startsWith(line, head)) return false;
    // A file name too long for the line pushes " line N: Parse Error: ..." onto the next.
    const bool message = line.find("Warning:") != std::string_view::npos ||
                         line.find("Error:") != std::string_view::npos;
    return !line.empty() && (!message || startsWith(line, "line "));
}

std::vector<std::string> messages(std::string_view output) {
    std::vector<std::string> out;
    bool open = false;
    std::size_t start = 0;
    while (start < output.size()) {
        const std::size_t end = std::min(output.find('\n', start), output.size());
        const std::string_view line = trimmed(output.substr(start, end - start));
        start = end + 1;
        if (open && continues(line)) {
            out.back() += ' ';
            out.back() += line;
            continue;
        }
        open = !line.empty() && !startsWith(line, "---") && !startsWith(line, "===");
        if (open) out.emplace_back(line);
    }
    return out;
}

} // namespace

std::string povrayFailure(std::string_view output) {
    const std::vector<std::string> all = messages(output);
    for (std::string_view marker : {"Parse Error:", "Error:", "Fatal error", "Render failed"})
        for (const std::string& m : all)
            if (m.find(marker) != std::string::npos &&
                m.find("Possible Parse Error") == std::string::npos)
                return m;
    return {};
}

std::vector<std::string> povrayWarnings(std::string_view output) {
    std::vector<std::string> warnings;
    for (std::string& m : messages(output))
        if (m.find("Parse Warning:") != std::string::npos) warnings.push_back(std::move(m));
    return warnings;
}

int povrayProgress(std::string_view output) {
    const std::size_t at = output.rfind("%)");
    if (at == std::string_view::npos) return -1;
    std::size_t start = at;
    while (start > 0 && output[start - 1] >= '0' && output[start - 1] <= '9') --start;
    if (start == at || start == 0 || output[start - 1] != '(') return -1;
    int value = -1;
    std::from_chars(output.data() + start, output.data() + at, value);
    return value;
}

} // namespace plumex
