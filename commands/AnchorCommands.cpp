#include "commands/AnchorCommands.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace plumex {

namespace {

bool finite(TCvCoord p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

// Runs `edit` on every selected path and records the untouched copy when the paths changed.
template <class Edit> bool editSelected(TCvDocument& doc, int penPath, Edit edit) {
    const std::vector<TCvLine> before = doc.Lines;
    const TCvCoord pivot = doc.Pivot;
    for (TCvLine& line : doc.Lines)
        if (line.selected) edit(line);
    if (doc.Lines == before) {
        doc.UpdateSelectionBounds();
        return false;
    }
    std::vector<TCvLine> after = std::move(doc.Lines);
    doc.Lines = before;
    doc.Pivot = pivot;
    doc.Record(penPath);
    doc.Lines = std::move(after);
    doc.UpdateSelectionBounds();
    return true;
}

template <class F> void forSelectedAnchors(TCvLine& line, F f) {
    for (TCvPoint& p : line.points)
        if (p.selected) f(p);
}

bool isEnd(const TCvLine& line, std::size_t i) {
    return !line.closed && (i == 0 || i + 1 == line.points.size());
}

// Smooth handles for anchor i from its neighbours (which wrap round on open paths too).
void smoothAnchor(TCvLine& line, std::size_t i) {
    const std::size_t n = line.points.size();
    TCvPoint& b = line.points[i];
    const TCvCoord p = b.anchor;
    const TCvCoord prev = line.points[(i + n - 1) % n].anchor;
    const TCvCoord next = line.points[(i + 1) % n].anchor;
    const double a1 = std::atan2(prev.y - p.y, prev.x - p.x);
    const double a2 = std::atan2(next.y - p.y, next.x - p.x);
    const double d1 = distance(p, prev);
    const double d2 = distance(p, next);
    const double half = std::numbers::pi / 2;
    const double m = (a1 + a2) / 2 + (a2 > a1 ? half : -half);
    const double c = std::abs(std::cos(m - a2));
    const double len =
        std::min(std::min(c * d1, c * d2) * 0.552284749830793, std::min(d1, d2) * 0.4);
    const TCvCoord out{p.x + len * std::cos(m), p.y + len * std::sin(m)};
    const TCvCoord in = mirror(out, p);
    // Neighbours far beyond the double range give no usable length.
    if (!finite(out) || !finite(in)) return;
    b.outHandle = out;
    b.inHandle = in;
    b.independent = 0;
}

TCvPoint* anchorAt(TCvDocument& doc, AnchorRef r) {
    if (r.path < 0 || r.path >= static_cast<int>(doc.Lines.size())) return nullptr;
    TCvLine& line = doc.Lines[static_cast<std::size_t>(r.path)];
    if (r.anchor < 0 || r.anchor >= line.count()) return nullptr;
    return &line.points[static_cast<std::size_t>(r.anchor)];
}

std::optional<AnchorRef> target(const TCvDocument& doc, std::optional<AnchorRef> at) {
    if (!at) return SingleSelectedAnchor(doc);
    if (anchorAt(const_cast<TCvDocument&>(doc), *at) == nullptr) return std::nullopt;
    return at;
}

} // namespace

int CountSelectedEndAnchors(const TCvDocument& doc) {
    int n = 0;
    for (const TCvLine& line : doc.Lines) {
        if (!line.selected || line.closed || line.points.empty()) continue;
        if (line.points.front().selected) ++n;
        if (line.count() > 1 && line.points.back().selected) ++n;
    }
    return n;
}

bool CanJoinEndAnchors(const TCvDocument& doc) {
    std::vector<TCvCoord> ends;
    for (const TCvLine& line : doc.Lines) {
        if (!line.selected || line.closed || line.points.empty()) continue;
        if (line.points.front().selected) ends.push_back(line.FirstAnchor());
        if (line.count() > 1 && line.points.back().selected) ends.push_back(line.LastAnchor());
    }
    if (ends.size() == 2) return true;
    for (std::size_t i = 0; i < ends.size(); ++i)
        for (std::size_t j = i + 1; j < ends.size(); ++j)
            if (equal(ends[i], ends[j])) return true;
    return false;
}

bool AnySelectedOpenPath(const TCvDocument& doc) {
    return std::any_of(doc.Lines.begin(), doc.Lines.end(),
                       [](const TCvLine& l) { return l.selected && !l.closed; });
}

bool CanSeparateAnchors(const TCvDocument& doc) {
    for (const TCvLine& line : doc.Lines) {
        if (!line.selected) continue;
        for (std::size_t i = 0; i < line.points.size(); ++i)
            if (line.points[i].selected && !isEnd(line, i)) return true;
    }
    return false;
}

std::optional<AnchorRef> SingleSelectedAnchor(const TCvDocument& doc) {
    std::optional<AnchorRef> found;
    for (std::size_t l = 0; l < doc.Lines.size(); ++l) {
        const TCvLine& line = doc.Lines[l];
        if (!line.selected) continue;
        for (std::size_t i = 0; i < line.points.size(); ++i) {
            if (!line.points[i].selected) continue;
            if (found) return std::nullopt;
            found = AnchorRef{static_cast<int>(l), static_cast<int>(i)};
        }
    }
    return found;
}

bool SeparateAnchors(TCvDocument& doc, int penPath) {
    std::vector<TCvLine> result;
    result.reserve(doc.Lines.size());
    std::vector<TCvLine> pending(doc.Lines.rbegin(), doc.Lines.rend()); // a stack, front last
    while (!pending.empty()) {
        TCvLine line = std::move(pending.back());
        pending.pop_back();
        if (!line.selected) {
            result.push_back(std::move(line));
            continue;
        }
        for (std::size_t i = 0; i < line.points.size(); ++i) {
            if (!line.points[i].selected) continue;
            if (line.closed) {
                // Open the ring at this anchor: it now starts and ends the path.
                line.RotateStart(static_cast<int>(i));
                line.points.push_back(line.points.front());
                line.closed = 0;
                i = 0;
            } else if (i > 0 && i + 1 < line.points.size()) {
                TCvLine rest;
                rest.points.assign(line.points.begin() + static_cast<std::ptrdiff_t>(i),
                                   line.points.end());
                rest.UpdateSelected();
                line.points.resize(i + 1);
                line.UpdateSelected();
                pending.push_back(std::move(rest));
                break;
            }
        }
        if (!line.points.empty()) result.push_back(std::move(line));
    }
    if (result == doc.Lines) return false;
    doc.Record(penPath);
    doc.Lines = std::move(result);
    doc.UpdateSelectionBounds();
    return true;
}

bool RemoveAnchors(TCvDocument& doc, int penPath) {
    const bool any = std::any_of(doc.Lines.begin(), doc.Lines.end(), [](const TCvLine& l) {
        return l.selected && std::any_of(l.points.begin(), l.points.end(),
                                         [](const TCvPoint& p) { return p.selected != 0; });
    });
    if (!any) return false;
    doc.Record(penPath);
    std::vector<TCvLine> kept;
    kept.reserve(doc.Lines.size());
    for (TCvLine& line : doc.Lines) {
        if (line.selected) {
            line.RemoveSelectedPoints();
            if (line.points.empty()) continue;
            line.UpdateSelected();
        }
        kept.push_back(std::move(line));
    }
    doc.Lines = std::move(kept);
    doc.UpdateSelectionBounds();
    return true;
}

bool SmoothAnchors(TCvDocument& doc, int penPath) {
    return editSelected(doc, penPath, [](TCvLine& line) {
        if (line.count() == 1) return;
        for (std::size_t i = 0; i < line.points.size(); ++i)
            if (line.points[i].selected) smoothAnchor(line, i);
    });
}

bool CornerAnchors(TCvDocument& doc, int penPath) {
    return editSelected(doc, penPath, [](TCvLine& line) {
        forSelectedAnchors(line, [](TCvPoint& p) {
            p.inHandle = p.outHandle = p.anchor;
            p.independent = 0;
        });
    });
}

bool DoubleAnchors(TCvDocument& doc, int penPath) {
    return editSelected(doc, penPath, [](TCvLine& line) { line.DoubleSelected(0.5); });
}

bool MinimizeAnchors(TCvDocument& doc, int penPath) {
    return editSelected(doc, penPath, [](TCvLine& line) {
        for (int n = line.count();; n = line.count()) {
            line.Minimize();
            if (line.count() >= n) break;
        }
    });
}

bool ReverseHandles(TCvDocument& doc, int penPath) {
    return editSelected(doc, penPath, [](TCvLine& line) { line.SwapHandlesOfSelected(); });
}

std::optional<TCvHandles> CopyHandle(const TCvDocument& doc, std::optional<AnchorRef> at) {
    const std::optional<AnchorRef> r = target(doc, at);
    if (!r) return std::nullopt;
    const TCvPoint& p =
        doc.Lines[static_cast<std::size_t>(r->path)].points[static_cast<std::size_t>(r->anchor)];
    return TCvHandles{subtract(p.inHandle, p.anchor), subtract(p.outHandle, p.anchor)};
}

bool PasteHandle(TCvDocument& doc, const TCvHandles& handles, std::optional<AnchorRef> at,
                 int penPath) {
    const std::optional<AnchorRef> r = target(doc, at);
    if (!r) return false;
    TCvPoint* p = anchorAt(doc, *r);
    const TCvCoord in = add(p->anchor, handles.inOffset);
    const TCvCoord out = add(p->anchor, handles.outOffset);
    // Offsets taken far away can overflow here; a drawing with an infinity cannot be saved.
    if (!finite(in) || !finite(out)) return false;
    doc.Record(penPath);
    p = anchorAt(doc, *r);
    p->inHandle = in;
    p->outHandle = out;
    doc.UpdateSelectionBounds();
    return true;
}

} // namespace plumex
