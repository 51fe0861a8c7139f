#include "svg/SvgImport.h"

#include "geometry/BooleanOp.h"
#include "model/FileBytes.h"
#include "model/LineTree.h"
#include "svg/SvgOutlines.h"

#include <algorithm>
#include <cmath>

namespace plumex {
namespace {

// Hole making sorts the closed subpaths by their bounds and tests candidates only; past this
// many in one element the subpaths stay paths of their own rather than risk a worst case.
constexpr std::size_t MaxHoleCandidates = 200'000;

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

// SVG fills an open subpath as if a straight line closed it. A last anchor on the first is the
// same corner: it goes, and its segment's handle comes to the first anchor. A subpath that
// encloses nothing (one point, one straight segment) stays as it is.
void closeForFill(TCvLine& line) {
    auto& pts = line.points;
    if (line.closed || pts.size() < 2) return;
    if (pts.size() > 2 && pts.back().anchor == pts.front().anchor) {
        pts.front().inHandle = pts.back().inHandle;
        pts.front().updateIndependent();
        pts.pop_back();
    }
    const bool curved = std::any_of(pts.begin(), pts.end(), [](const TCvPoint& p) {
        return p.inHandle != p.anchor || p.outHandle != p.anchor;
    });
    if (pts.size() >= 3 || curved) line.closed = 1;
}

// Icon sets round relative coordinates, so a closed outline often ends a hair from where it
// began: the closing segment is then a spike back over the last curve, which the path
// operations read as the outline crossing itself. An end within a thousandth of the outline's
// size (but not on it) is its start.
void mergeNearlyClosedEnd(TCvLine& line) {
    auto& pts = line.points;
    if (!line.closed || pts.size() < 4) return;
    const TCvRect b = line.GetBounds();
    const double size = std::max(std::fabs(b.right - b.left), std::fabs(b.top - b.bottom));
    const TCvCoord gap{pts.back().anchor.x - pts.front().anchor.x,
                       pts.back().anchor.y - pts.front().anchor.y};
    // An end exactly on the start is kept: our own files write closed paths that way.
    const double d = std::hypot(gap.x, gap.y);
    if (!(d > 0 && d <= 1e-3 * size)) return;
    // A straight last segment stays straight.
    const bool straight = pts.back().inHandle == pts.back().anchor;
    pts.front().inHandle = straight ? pts.front().anchor : pts.back().inHandle;
    pts.front().updateIndependent();
    pts.pop_back();
}

// The one place where an element's fill rule meets our even-odd filling: returns outlines
// that fill under even-odd what `closed` fills under `rule`. Even-odd keeps the subpaths as
// they are; nonzero takes the union of its region from the path operations, which differs
// where subpaths overlap with the same direction or cross.
std::vector<TCvLine> outlinesForEvenOdd(std::vector<TCvLine> closed, SvgFillRule rule) {
    // Where the rules agree the subpaths stay as drawn, with their anchors and starts.
    if (rule != SvgFillRule::NonZero || NonzeroFillsAsEvenOdd(closed)) return closed;
    return UnionNonzero(closed);
}

void makeHoles(std::vector<TCvLine>& subpaths, std::vector<TCvLine>& out) {
    std::size_t closed = 0;
    for (const TCvLine& l : subpaths) closed += l.closed ? 1 : 0;
    if (closed < 2 || closed > MaxHoleCandidates) {
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

void appendElement(SvgElementOutlines& element, const SvgImportOptions& options,
                   std::vector<TCvLine>& out) {
    // What a browser draws nothing of (no fill, no stroke) is no shape to edit either.
    if (!element.filled && !element.stroked) return;
    if (options.filledOnly && !element.filled) return;
    std::vector<TCvLine>& subpaths = element.subpaths;
    if (element.filled) {
        for (TCvLine& l : subpaths) closeForFill(l);
    }
    for (TCvLine& l : subpaths) mergeNearlyClosedEnd(l);
    if (element.filled && element.fillRule == SvgFillRule::NonZero) {
        // The closed subpaths take the fill rule's outlines, in their places while they stay
        // as many; open ones keep theirs.
        std::vector<std::size_t> slots;
        std::vector<TCvLine> closed;
        for (std::size_t i = 0; i < subpaths.size(); ++i)
            if (subpaths[i].closed) {
                slots.push_back(i);
                closed.push_back(std::move(subpaths[i]));
            }
        if (!closed.empty()) {
            closed = outlinesForEvenOdd(std::move(closed), element.fillRule);
            if (closed.size() == slots.size()) {
                for (std::size_t k = 0; k < slots.size(); ++k)
                    subpaths[slots[k]] = std::move(closed[k]);
            } else {
                std::vector<TCvLine> open;
                for (TCvLine& l : subpaths)
                    if (!l.points.empty() && !l.closed) open.push_back(std::move(l));
                subpaths = std::move(closed);
                for (TCvLine& l : open) subpaths.push_back(std::move(l));
            }
        }
    }
    for (TCvLine& l : subpaths) l.SelectAll(true);
    if (options.makeHoles)
        makeHoles(subpaths, out);
    else
        for (TCvLine& l : subpaths) out.push_back(std::move(l));
}

} // namespace

std::vector<TCvLine> ImportSvg(std::span<const std::uint8_t> bytes,
                               const SvgImportOptions& options) {
    SvgOutlines elements = parseSvgOutlines(bytes, options.cancel);
    std::vector<TCvLine> out;
    for (SvgElementOutlines& element : elements) {
        if (options.cancel && options.cancel->load(std::memory_order_relaxed))
            throw SvgImportCancelled();
        for (TCvLine& l : element.subpaths) toUnits(l);
        appendElement(element, options, out);
    }
    return out;
}

std::vector<TCvLine> ImportSvgFile(const std::string& fileName, const SvgImportOptions& options) {
    return ImportSvg(readFileBytes(fileName), options);
}

} // namespace plumex
