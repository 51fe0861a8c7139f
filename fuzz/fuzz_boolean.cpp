// Path operations fuzzer: two closed paths from the bytes, on a coarse grid so that shared
// edges, touching corners and coincident anchors come often. Every operation must give closed
// paths with anchors, all at finite positions.

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
    const int anchors = 1 + in.next() % 8;
    for (int i = 0; i < anchors && !in.empty(); ++i) {
        const TCvCoord a{in.coordinate(), in.coordinate()};
        TCvPoint p(a, a, a);
        if (in.next() & 1) {
            // A curved anchor: its handles straight through it, or at odds.
            p.inHandle = {in.coordinate(), in.coordinate()};
            p.outHandle = {2 * a.x - p.inHandle.x, 2 * a.y - p.inHandle.y};
            if (in.next() & 1) p.outHandle = {in.coordinate(), in.coordinate()};
        }
        line.points.push_back(p);
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
    return 0;
}
