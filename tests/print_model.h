#pragma once
// How GoogleTest prints the model's values in a failed assertion: coordinates with every digit
// that tells two doubles apart, so a failed path comparison shows where the paths differ.

#include "model/Path.h"

#include <cstdio>
#include <ostream>
#include <string>

namespace plumex::testing {

inline std::string numberText(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

} // namespace plumex::testing

inline void PrintTo(const TCvCoord& p, std::ostream* os) {
    using plumex::testing::numberText;
    *os << '(' << numberText(p.x) << ", " << numberText(p.y) << ')';
}

inline void PrintTo(const TCvRect& r, std::ostream* os) {
    using plumex::testing::numberText;
    *os << "{left " << numberText(r.left) << ", top " << numberText(r.top) << ", right "
        << numberText(r.right) << ", bottom " << numberText(r.bottom) << '}';
}

inline void PrintTo(const TCvHandles& h, std::ostream* os) {
    *os << "{in ";
    PrintTo(h.inOffset, os);
    *os << ", out ";
    PrintTo(h.outOffset, os);
    *os << '}';
}

// anchor [in-handle out-handle], then the flags that are set.
inline void PrintTo(const TCvPoint& p, std::ostream* os) {
    PrintTo(p.anchor, os);
    *os << " [";
    PrintTo(p.inHandle, os);
    *os << ' ';
    PrintTo(p.outHandle, os);
    *os << ']';
    if (p.selected) *os << " selected";
    if (p.independent) *os << " independent";
}

// One anchor a line, so that gtest's diff of two paths points at the anchor that differs.
inline void PrintTo(const TCvLine& line, std::ostream* os) {
    *os << (line.closed ? "closed" : "open") << " path \"" << line.name << "\" of "
        << line.points.size() << " anchors";
    if (line.selected) *os << ", selected";
    if (line.locked) *os << ", locked";
    if (!line.visible) *os << ", hidden";
    for (std::size_t i = 0; i < line.points.size(); ++i) {
        *os << "\n  " << i << ": ";
        PrintTo(line.points[i], os);
    }
}

namespace plumex {

inline void PrintTo(const Segment& s, std::ostream* os) {
    *os << "segment ";
    for (TCvCoord p : {s.a, s.h1, s.h2, s.b}) {
        ::PrintTo(p, os);
        *os << ' ';
    }
}

} // namespace plumex
