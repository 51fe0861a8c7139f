#include "export/PovExport.h"

#include "export/PovFormat.h"
#include "model/FileBytes.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
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

int digitCount(std::size_t n) {
    int digits = 1;
    while (n >= 10) {
        n /= 10;
        ++digits;
    }
    return digits;
}

std::string numberedName(const std::string& head, std::size_t number, int width) {
    if (head.empty()) return head;
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.*zu", width, number);
    return head + digits;
}

// Room for typical numbers, so a large export does not copy its text while growing.
std::size_t estimatedSize(const std::vector<const TCvLine*>& paths, const PovRequest& r) {
    std::size_t segments = 0;
    for (const TCvLine* line : paths) segments += static_cast<std::size_t>(line->segmentCount());
    const std::size_t perNumber = static_cast<std::size_t>(clampAccuracy(r.accuracy)) + 6;
    return segments * (8 * perNumber + 16) + paths.size() * (64 + r.modifiers.size());
}

} // namespace

LatheEdges latheEdges(const std::vector<TCvLine>& selection) {
    LatheEdges e;
    bool first = true;
    for (const TCvLine& line : selection) {
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

std::string PovExportText(const std::vector<TCvLine>& selection, const PovRequest& request) {
    std::vector<const TCvLine*> exported;
    for (const TCvLine& line : selection)
        if (PovHasText(line, request)) exported.push_back(&line);
    std::string out;
    out.reserve(estimatedSize(exported, request));
    if (exported.size() == 1) {
        appendPovText(out, *exported.front(), request);
        return out;
    }
    const int width = digitCount(exported.size() + 1);
    PovRequest numbered = request;
    for (std::size_t j = 0; j < exported.size(); ++j) {
        numbered.name = numberedName(request.name, j + 1, width);
        appendPovText(out, *exported[j], numbered);
    }
    return out;
}

std::string PovExportText(const std::vector<TCvLine>& selection, PovMode mode,
                          const PovDlgState& dlg, const PovArrayDlgState& arrayDlg) {
    if (mode == PovMode::Array) return PovExportText(selection, arrayDlg.request());
    return PovExportText(selection, dlg.request(mode, latheEdges(selection)));
}

bool PovExportFile(const std::string& fileName, std::string_view text, std::string* error) {
    std::vector<std::uint8_t> bytes(PovFileHeader.begin(), PovFileHeader.end());
    bytes.insert(bytes.end(), text.begin(), text.end());
    try {
        writeFileAtomically(fileName, bytes);
        return true;
    } catch (const std::system_error& e) {
        if (error) *error = e.what();
        return false;
    }
}

} // namespace plumex
