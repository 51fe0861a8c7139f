#include "svg/SvgImport.h"

#include "model/FileBytes.h"
#include "model/LineTree.h"
#include "svg/SvgOutlines.h"

namespace plumex {
namespace {

// Hole making compares every closed subpath with every other; past this many in one element
// (a hatching, a scanned bitmap traced into dots) the subpaths stay paths of their own.
constexpr std::size_t MaxHoleCandidates = 2000;

TCvCoord toUnits(TCvCoord p) {
    return {p.x / SvgPixelsPerUnit, -p.y / SvgPixelsPerUnit};
}

void toUnits(TCvLine& line) {
    for (TCvPoint& p : line.points) {
        p.anchor = toUnits(p.anchor);
        p.inHandle = toUnits(p.inHandle);
        p.outHandle = toUnits(p.outHandle);
        p.updateIndependent();
    }
    line.SelectAll(true);
}

void appendElement(std::vector<TCvLine>& subpaths, bool makeHoles, std::vector<TCvLine>& out) {
    std::size_t closed = 0;
    for (const TCvLine& l : subpaths) closed += l.closed ? 1 : 0;
    if (!makeHoles || closed < 2 || closed > MaxHoleCandidates) {
        for (TCvLine& l : subpaths) out.push_back(std::move(l));
        return;
    }
    const TCvLineTree tree = BuildTree(subpaths);
    std::vector<TCvLine> merged;
    Flatten(tree.top, merged);
    for (TCvLine& l : merged) {
        l.SelectAll(true);
        out.push_back(std::move(l));
    }
}

} // namespace

std::vector<TCvLine> ImportSvg(std::span<const std::uint8_t> bytes,
                               const SvgImportOptions& options) {
    SvgOutlines elements = parseSvgOutlines(bytes);
    std::vector<TCvLine> out;
    for (std::vector<TCvLine>& subpaths : elements) {
        for (TCvLine& l : subpaths) toUnits(l);
        appendElement(subpaths, options.makeHoles, out);
    }
    return out;
}

std::vector<TCvLine> ImportSvgFile(const std::string& fileName, const SvgImportOptions& options) {
    return ImportSvg(readFileBytes(fileName), options);
}

} // namespace plumex
