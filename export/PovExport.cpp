#include "export/PovExport.h"

#include "export/ParallelPovText.h"
#include "export/PovFormat.h"
#include "model/FileBytes.h"

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <system_error>

namespace plumex {
namespace {

void takeX(LatheEdges& e, bool& first, double x) {
    if (first) {
        e = {x, x};
        first = false;
        return;
    }
    e.left = std::min(e.left, x);
    e.right = std::max(e.right, x);
}

// Room for typical numbers, so a large export does not copy its text while growing.
std::size_t estimatedSize(const PathRefs& paths, const PovRequest& r) {
    std::size_t segments = 0;
    for (const TCvLine* line : paths) segments += static_cast<std::size_t>(line->segmentCount());
    const std::size_t perNumber = static_cast<std::size_t>(clampAccuracy(r.accuracy)) + 6;
    return segments * (8 * perNumber + 16) + paths.size() * (64 + r.modifiers.size());
}

PathRefs exportedPaths(const PathRefs& selection, const PovRequest& request) {
    PathRefs exported;
    for (const TCvLine* line : selection)
        if (PovHasText(*line, request)) exported.push_back(line);
    return exported;
}

void appendExport(std::string& out, const PathRefs& exported, const PovRequest& request,
                  PovThreads threads) {
    out.reserve(out.size() + estimatedSize(exported, request));
    formatPovText(
        exported, request,
        {.piece = [&](std::string_view piece) { out += piece; },
         .path = [&](const TCvLine& line, const PovRequest& r) { appendPovText(out, line, r); }},
        threads);
}

// Text goes out in pieces of about 64 KiB; a path formatted ahead on another thread follows
// whatever this thread still holds.
void streamExport(std::ostream& out, const PathRefs& exported, const PovRequest& request,
                  PovThreads threads) {
    std::string buffer;
    formatPovText(exported, request, streamingPovSink(out, buffer), threads);
    out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
}

} // namespace

PathRefs pathRefs(const std::vector<TCvLine>& paths) {
    PathRefs refs;
    refs.reserve(paths.size());
    for (const TCvLine& line : paths) refs.push_back(&line);
    return refs;
}

LatheEdges latheEdges(const std::vector<TCvLine>& selection) {
    return latheEdges(pathRefs(selection));
}

LatheEdges latheEdges(const PathRefs& selection) {
    LatheEdges e;
    bool first = true;
    for (const TCvLine* path : selection) {
        const TCvLine& line = *path;
        if (line.points.empty()) continue;
        const TCvRect bounds = line.GetBounds();
        takeX(e, first, bounds.left);
        takeX(e, first, bounds.right);
        for (int i = 0; i < line.segmentCount(); ++i) {
            const Segment s = line.segment(i);
            for (TCvCoord p : {s.a, s.h1, s.h2, s.b}) takeX(e, first, p.x);
        }
    }
    return e;
}

bool PovRequestUsesSelection(PovMode mode) {
    return mode == PovMode::Lathe;
}

LatheEdges latheEdgesFor(PovMode mode, const PathRefs& selection) {
    return PovRequestUsesSelection(mode) ? latheEdges(selection) : LatheEdges{};
}

LatheEdges latheEdgesFor(PovMode mode, const std::vector<TCvLine>& selection) {
    return PovRequestUsesSelection(mode) ? latheEdges(selection) : LatheEdges{};
}

bool PovHasAnyText(const PathRefs& selection, const PovRequest& request) {
    return std::any_of(selection.begin(), selection.end(),
                       [&](const TCvLine* line) { return PovHasText(*line, request); });
}

std::string PovExportText(const std::vector<TCvLine>& selection, const PovRequest& request,
                          PovThreads threads) {
    std::string out;
    appendExport(out, exportedPaths(pathRefs(selection), request), request, threads);
    return out;
}

std::string PovExportText(const std::vector<TCvLine>& selection, PovMode mode,
                          const PovDlgState& dlg, const PovArrayDlgState& arrayDlg) {
    return PovExportText(selection, PovExportRequest(pathRefs(selection), mode, dlg, arrayDlg));
}

PovRequest PovExportRequest(const PathRefs& selection, PovMode mode, const PovDlgState& dlg,
                            const PovArrayDlgState& arrayDlg) {
    if (mode == PovMode::Array) return arrayDlg.request();
    return dlg.request(mode, latheEdgesFor(mode, selection));
}

void writePovExport(std::ostream& out, const PathRefs& selection, const PovRequest& request,
                    PovThreads threads) {
    streamExport(out, exportedPaths(selection, request), request, threads);
}

namespace {

bool exportFile(const std::string& fileName, const std::function<void(std::ostream&)>& write,
                std::string* error) {
    try {
        writeFileAtomically(fileName, [&](std::ostream& out) {
            out << PovFileHeader;
            write(out);
        });
        return true;
    } catch (const std::system_error& e) {
        if (error) *error = e.what();
        return false;
    }
}

} // namespace

bool PovExportFile(const std::string& fileName, std::string_view text, std::string* error) {
    return exportFile(
        fileName, [text](std::ostream& out) { out << text; }, error);
}

bool PovExportFile(const std::string& fileName, const PathRefs& selection,
                   const PovRequest& request, std::string* error) {
    const PathRefs exported = exportedPaths(selection, request);
    if (exported.empty()) {
        if (error) *error = "Nothing to export";
        return false;
    }
    return exportFile(
        fileName, [&](std::ostream& out) { streamExport(out, exported, request, {}); }, error);
}

} // namespace plumex
