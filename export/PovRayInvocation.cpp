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
        args.push_back("+A0.3");
    }
    return args;
}

namespace {

std::string_view trimmed(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
    while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    return line;
}

// The first line holding `marker`, leaving out POV-Ray's "Possible Parse Error" advice.
std::string_view lineWith(std::string_view output, std::string_view marker) {
    std::size_t start = 0;
    while (start < output.size()) {
        const std::size_t end = std::min(output.find('\n', start), output.size());
        const std::string_view line = output.substr(start, end - start);
        if (line.find(marker) != std::string_view::npos &&
            line.find("Possible Parse Error") == std::string_view::npos)
            return trimmed(line);
        start = end + 1;
    }
    return {};
}

} // namespace

std::string povrayFailure(std::string_view output) {
    for (std::string_view marker : {"Parse Error:", "Error:", "Fatal error", "Render failed"}) {
        const std::string_view line = lineWith(output, marker);
        if (!line.empty()) return std::string(line);
    }
    return {};
}

std::vector<std::string> povrayWarnings(std::string_view output) {
    std::vector<std::string> warnings;
    std::size_t start = 0;
    while (start < output.size()) {
        const std::size_t end = std::min(output.find('\n', start), output.size());
        const std::string_view line = trimmed(output.substr(start, end - start));
        if (line.find("Parse Warning:") != std::string_view::npos) warnings.emplace_back(line);
        start = end + 1;
    }
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
