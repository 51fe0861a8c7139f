#include "export/PovSplineText.h"

namespace plumex {
namespace {

constexpr std::string_view Keyword = "bezier_spline";

void readBlock(std::string_view text, std::size_t pos, std::size_t end, std::vector<TCvLine>& out) {
    while (pos < end) {
        TCvLine line;
        const std::size_t stop = pos + line.ParseSpline(text.substr(pos), end - pos);
        if (!line.points.empty()) {
            line.SelectAll(true);
            out.push_back(std::move(line));
        }
        if (stop <= pos) break; // no progress: nothing more to read here
        pos = stop;
    }
}

} // namespace

std::vector<TCvLine> PathsFromSplineText(std::string_view text) {
    std::vector<TCvLine> paths;
    std::size_t at = text.find(Keyword);
    while (at != std::string_view::npos) {
        const std::size_t from = at + Keyword.size();
        const std::size_t close = text.find('}', from);
        const std::size_t end = close == std::string_view::npos ? text.size() : close;
        const std::size_t open = text.find('<', from);
        if (open < end) readBlock(text, open, end, paths);
        at = text.find(Keyword, end);
    }
    return paths;
}

} // namespace plumex
