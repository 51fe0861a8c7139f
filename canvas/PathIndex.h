#pragma once
// What the hit tests look at first: per path the rectangle of its anchors and handles, which
// holds the whole curve, and whether the path or any of its anchors is selected. It follows
// the drawing through the path list's log, measuring again only the paths written since, so a
// hit test costs a rectangle check per path plus the paths under the mouse.

#include "model/LineList.h"
#include "model/Rect.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace plumex {

class PathIndex {
public:
    // Brings the index up to date with `lines`.
    void sync(const LineList& lines);

    std::size_t size() const { return entries_.size(); }
    // Whether anything of path i may lie within `tol` of p (the index must be in sync).
    bool near(std::size_t i, TCvCoord p, double tol) const;
    // Whether anything of path i may lie inside `r` (the index must be in sync).
    bool overlaps(std::size_t i, const TCvRect& r) const;
    // The rectangle of path i's anchors and handles; nothing when a coordinate is not finite.
    std::optional<TCvRect> hull(std::size_t i) const {
        if (entries_[i].everywhere) return std::nullopt;
        return entries_[i].hull;
    }
    // The rectangle of a path's anchors and handles, measured as the index does; nothing when
    // a coordinate is not finite.
    static std::optional<TCvRect> hullOf(const TCvLine& line) {
        const Entry e = measure(line);
        if (e.everywhere) return std::nullopt;
        return e.hull;
    }
    // Whether path i or any of its anchors is selected.
    bool anySelected(std::size_t i) const { return entries_[i].anySelected; }

private:
    struct Entry {
        TCvRect hull;
        bool everywhere = false; // a coordinate that is not finite: always looked at
        bool anySelected = false;
    };
    static Entry measure(const TCvLine& line);

    std::vector<Entry> entries_;
    std::optional<LineList::Mark> synced_;
};

} // namespace plumex
