#include "commands/AlignCommands.h"

#include <algorithm>
#include <functional>
#include <numeric>

namespace plumex {

namespace {

// One item on one axis: its low and high extent, and how to move it.
struct Item {
    double low, high;
    std::function<void(double)> move;
};

// Moves every item for one choice against the extent low..high (right and top are high).
// Points (anchors) centre on their mean; boxes (paths) on the middle of the extent.
void alignAxis(std::vector<Item>& items, Align choice, double low, double high, bool byPoint) {
    if (choice == Align::None || items.size() < 2) return;
    const double n = static_cast<double>(items.size());
    if (choice == Align::Regular) {
        std::vector<Item*> sorted;
        for (Item& it : items) sorted.push_back(&it);
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](const Item* a, const Item* b) { return a->low < b->low; });
        if (byPoint) {
            for (std::size_t i = 0; i < sorted.size(); ++i)
                sorted[i]->move(low + double(i) * (high - low) / (n - 1) - sorted[i]->low);
            return;
        }
        double sizes = 0;
        for (const Item& it : items) sizes += it.high - it.low;
        const double gap = (high - low - sizes) / (n - 1);
        double at = low;
        for (Item* it : sorted) {
            it->move(at - it->low);
            at += (it->high - it->low) + gap;
        }
        return;
    }
    double mean = 0;
    if (byPoint && choice == Align::Centre) {
        for (const Item& it : items) mean += it.low;
        mean /= n;
    }
    for (Item& it : items) {
        const double mid = (it.low + it.high) / 2;
        if (choice == Align::Near) it.move(low - it.low);
        if (choice == Align::Far) it.move(high - it.high);
        if (choice == Align::Centre) it.move(byPoint ? mean - it.low : (low + high) / 2 - mid);
    }
}

// Records the drawing as it was when the alignment changed it, and refreshes the selection.
bool finish(TCvDocument& doc, const std::vector<TCvLine>& before, TCvCoord pivot, int penPath) {
    if (doc.Lines == before) return false;
    doc.UndoBuffer.Record(before, pivot, penPath);
    doc.SelectionChanged();
    return true;
}

void moveAnchor(TCvPoint& p, TCvCoord v) {
    p.anchor = add(p.anchor, v);
    p.inHandle = add(p.inHandle, v);
    p.outHandle = add(p.outHandle, v);
}

} // namespace

bool canAlignObjects(const TCvDocument& doc) {
    return doc.CountSelected() >= 2;
}

bool canAlignAnchors(const TCvDocument& doc) {
    int n = 0;
    for (const TCvLine& line : doc.Lines)
        if (line.selected)
            for (const TCvPoint& p : line.points) n += p.selected ? 1 : 0;
    return n >= 2;
}

bool AlignObjects(TCvDocument& doc, Align horizontal, Align vertical, int penPath) {
    if (!canAlignObjects(doc) || (horizontal == Align::None && vertical == Align::None))
        return false;
    const std::vector<TCvLine> before = doc.Lines;
    const TCvCoord pivot = doc.Pivot;
    const TCvRect sel = doc.SelectionBounds;
    std::vector<Item> xs, ys;
    for (TCvLine& line : doc.Lines) {
        if (!line.selected) continue;
        const TCvRect b = line.GetBounds();
        xs.push_back({b.left, b.right, [&line](double d) { line.Translate({d, 0}); }});
        ys.push_back({b.bottom, b.top, [&line](double d) { line.Translate({0, d}); }});
    }
    alignAxis(xs, horizontal, sel.left, sel.right, false);
    alignAxis(ys,
              vertical == Align::Near  ? Align::Far
              : vertical == Align::Far ? Align::Near
                                       : vertical,
              sel.bottom, sel.top, false);
    return finish(doc, before, pivot, penPath);
}

bool AlignAnchors(TCvDocument& doc, Align horizontal, Align vertical, int penPath) {
    if (!canAlignAnchors(doc) || (horizontal == Align::None && vertical == Align::None))
        return false;
    const std::vector<TCvLine> before = doc.Lines;
    const TCvCoord pivot = doc.Pivot;
    std::vector<Item> xs, ys;
    TCvRect bounds;
    bool first = true;
    for (TCvLine& line : doc.Lines) {
        if (!line.selected) continue;
        for (TCvPoint& p : line.points) {
            if (!p.selected) continue;
            bounds = first ? TCvRect(p.anchor) : bounds;
            extend(bounds, p.anchor);
            first = false;
            xs.push_back({p.anchor.x, p.anchor.x, [&p](double d) { moveAnchor(p, {d, 0}); }});
            ys.push_back({p.anchor.y, p.anchor.y, [&p](double d) { moveAnchor(p, {0, d}); }});
        }
    }
    alignAxis(xs, horizontal, bounds.left, bounds.right, true);
    alignAxis(ys,
              vertical == Align::Near  ? Align::Far
              : vertical == Align::Far ? Align::Near
                                       : vertical,
              bounds.bottom, bounds.top, true);
    return finish(doc, before, pivot, penPath);
}

} // namespace plumex
