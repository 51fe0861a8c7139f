#include "export/PathSink.h"

namespace plumex {

void walkPath(const TCvLine& path, PathSink& sink) {
    sink.beginPath(path);
    if (!path.points.empty()) {
        sink.moveTo(path.points.front());
        const int segments = path.segmentCount();
        for (int i = 0; i < segments; ++i) {
            const Segment s = path.segment(i);
            const TCvPoint& end = path.points[static_cast<size_t>(i + 1) % path.points.size()];
            if (s.straight())
                sink.lineTo(s, end);
            else
                sink.cubicTo(s, end);
        }
        if (path.closed) sink.closePath();
    }
    sink.endPath();
}

} // namespace plumex
