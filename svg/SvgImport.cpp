#include "svg/SvgImport.h"

#include "geometry/BooleanOp.h"
#include "geometry/PathArea.h"

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

// Whether the bounds of two of the paths overlap: a sweep over their left edges.
bool anyBoundsMeet(const std::vector<TCvLine>& paths) {
    std::vector<TCvRect> bounds;
    bounds.reserve(paths.size());
    for (const TCvLine& l : paths) bounds.push_back(l.GetBounds());
    std::sort(bounds.begin(), bounds.end(),
              [](const TCvRect& a, const TCvRect& b) { return a.left < b.left; });
    std::vector<TCvRect> active;
    for (const TCvRect& r : bounds) {
        std::erase_if(active, [&](const TCvRect& a) { return a.right < r.left; });
        for (const TCvRect& a : active)
            if (a.bottom <= r.top && r.bottom <= a.top) return true;
        active.push_back(r);
    }
    return false;
}

// Whether even-odd already fills what nonzero fills, so the subpaths can stay exactly as
// drawn: none crosses itself, each nested one runs against its container, and the union's
// area is the even-odd area (which two crossing subpaths would break).
bool evenOddFillsTheSame(const std::vector<TCvLine>& closed, const std::vector<TCvLine>& united) {
    for (const TCvLine& l : closed)
        if (SelfOverlaps(l)) return false;
    const TCvLineTree tree = BuildTree(closed);
    double evenOdd = 0, total = 0;
    std::vector<std::pair<const TCvLineNode*, int>> stack;
    for (const TCvLineNode* n = tree.top.first; n; n = n->next) stack.emplace_back(n, 0);
    while (!stack.empty()) {
        const auto [node, depth] = stack.back();
        stack.pop_back();
        const double area = signedArea(*node->line);
        if (node->parent && (area > 0) == (signedArea(*node->parent->line) > 0)) return false;
        evenOdd += depth % 2 == 0 ? std::abs(area) : -std::abs(area);
        total += std::abs(area);
        for (const TCvLineNode* c = node->children.first; c; c = c->next)
            stack.emplace_back(c, depth + 1);
    }
    double unitedArea = 0;
    for (const TCvLine& l : united) unitedArea += std::abs(signedArea(l));
    // The engine places crossings to about 1e-8 of the size; a real difference is far larger.
    return std::abs(unitedArea - evenOdd) <= 1e-6 * total;
}

// The nonzero union of more subpaths than this in one element would stall an import; such an
// element keeps its subpaths, filled even-odd.
constexpr std::size_t MaxNonzeroSubpaths = 5000;

// The one place where an element's fill rule meets our even-odd filling: returns outlines
// that fill under even-odd what `closed` fills under `rule`. Even-odd keeps the subpaths as
// they are. Nonzero differs only where subpaths overlap with the same direction or cross, so
// subpaths whose bounds meet nothing, and a lone one that does not cross itself, are kept
// exactly; the rest become the union of the nonzero region.
std::vector<TCvLine> outlinesForEvenOdd(std::vector<TCvLine> closed, SvgFillRule rule) {
    if (rule != SvgFillRule::NonZero || closed.empty()) return closed;
    if (closed.size() == 1 && !SelfOverlaps(closed.front())) return closed;
    if (closed.size() > MaxNonzeroSubpaths) return closed;
    if (closed.size() > 1 && !anyBoundsMeet(closed)) return closed;
    try {
        std::vector<TCvLine> united = UnionNonzero(closed);
        if (evenOddFillsTheSame(closed, united)) return closed;
        if (!united.empty()) return united;
    } catch (const std::exception&) {
        // The engine gave up on this element: its subpaths as drawn beat nothing.
    }
    return closed;
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
    std::vector<TCvLine>& subpaths = element.subpaths;
    if (element.filled) {
        for (TCvLine& l : subpaths) closeForFill(l);
    }
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
        // Without hole making the subpaths stay as drawn; the union would merge them.
        if (!closed.empty() && options.makeHoles) {
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
