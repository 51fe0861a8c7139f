#pragma once
// Winding numbers of lib2geom paths made of lines and Bezier curves, computed here: lib2geom's
// own root finder behind Path::winding recurses without end on some degenerate cubics (a
// tangency at an end, a curve lying along the probe's level), which overflows the stack.

#include <2geom/pathvector.h>

namespace plumex::geom {

// The number of times the closed contours of `paths` wind around `p` (an open contour counts
// as closed by a straight segment). Bounded work per curve whatever its shape.
int windingNumber(const Geom::PathVector& paths, Geom::Point p);
int windingNumber(const Geom::Path& path, Geom::Point p);

// The same count for many points against one set of paths: the curves are filed by the
// horizontal bands their heights span, so a point looks only at its band's curves. The paths
// must outlive the index.
class WindingIndex {
public:
    explicit WindingIndex(const Geom::PathVector& paths);
    int operator()(Geom::Point p) const;

private:
    struct Item {
        Geom::Point c[4]; // a cubic's control points, or a line's ends in c[0] and c[3]
        bool line;
        double lo, hi, right; // the rows it spans and how far right it reaches
    };
    std::vector<Item> items_;
    std::vector<std::vector<std::size_t>> bands_;
    double bottom_ = 0, height_ = 1;
};

} // namespace plumex::geom
