// Path operations fuzzer: two closed paths from the bytes, on a coarse grid so that shared
// edges, touching corners and coincident anchors come often; now and then long, started
// anywhere, scaled far up or down, or with a handle thrown far out, so the intersection
// search meets deep subdivisions. Every operation must give closed paths with anchors, all at
// finite positions, and must come back (no recursion without end).

#include "geometry/BooleanOp.h"

#include <cmath>
#include <cstdlib>
#include <span>

namespace {

class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool empty() const { return at_ >= size_; }
    int next() { return at_ < size_ ? data_[at_++] : 0; }
    // A coordinate on a grid of quarter units, now and then nudged by a hair.
    double coordinate() {
        const int v = next();
        double c = (v & 0x3F) / 4.0;
        if (v & 0x40) c += 1e-12;
        if (v & 0x80) c = -c;
        return c;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

TCvLine path(Bytes& in) {
    TCvLine line;
    line.closed = 1;
    const int shape = in.next();
    const int anchors = 1 + (shape & 0x80 ? in.next() % 24 : in.next() % 8);
    for (int i = 0; i < anchors && !in.empty(); ++i) {
        const TCvCoord a{in.coordinate(), in.coordinate()};
        TCvPoint p(a, a, a);
        const int kind = in.next();
        if (kind & 1) {
            // A curved anchor: its handles straight through it, or at odds.
            p.inHandle = {in.coordinate(), in.coordinate()};
            p.outHandle = {2 * a.x - p.inHandle.x, 2 * a.y - p.inHandle.y};
            if (kind & 2) p.outHandle = {in.coordinate(), in.coordinate()};
            if (kind & 4) p.outHandle = {p.outHandle.x * 1e9, p.outHandle.y * 1e9};
        }
        line.points.push_back(p);
    }
    if (shape & 0x40) line.RotateStart(in.next());
    if (shape & 0x20) {
        const double k = std::ldexp(1.0, in.next() % 160 - 80);
        line.Scale(k, k);
    }
    return line;
}

void check(const std::vector<TCvLine>& result) {
    for (const TCvLine& line : result) {
        if (!line.closed || line.points.empty()) std::abort();
        for (const TCvPoint& p : line.points)
            for (double v :
                 {p.anchor.x, p.anchor.y, p.inHandle.x, p.inHandle.y, p.outHandle.x, p.outHandle.y})
                if (!std::isfinite(v)) std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes in(data, size);
    const TCvLine pair[] = {path(in), path(in)};
    using plumex::BooleanOperation;
    for (auto op :
         {BooleanOperation::Union, BooleanOperation::Difference, BooleanOperation::Intersection,
          BooleanOperation::Exclusion, BooleanOperation::Division})
        check(plumex::CombinePaths(op, pair));
    check(plumex::CombinePaths(BooleanOperation::Union, std::span(pair).first(1)));
    check(plumex::UnionNonzero(pair));
    return 0;
}
