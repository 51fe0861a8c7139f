#include "trace/Trace.h"

#include "model/LineTree.h"
#include "trace/TraceBitmap.h"

#include <potracelib.h>

#include <algorithm>
#include <memory>
#include <new>
#include <stdexcept>

namespace plumex {
namespace {

struct StateDeleter {
    void operator()(potrace_state_t* s) const { potrace_state_free(s); }
};
struct ParamDeleter {
    void operator()(potrace_param_t* p) const { potrace_param_free(p); }
};

// The whole job's progress, from the passes' own fractions; remembers a cancel.
class Progress {
public:
    explicit Progress(const TraceProgress& report) : report_(report) {}

    // Pass `index` of `count` has done `fraction` of itself.
    bool update(int index, int count, double fraction) {
        if (cancelled_) return false;
        if (report_ && !report_((index + std::clamp(fraction, 0.0, 1.0)) / count))
            cancelled_ = true;
        return !cancelled_;
    }
    bool cancelled() const { return cancelled_; }

private:
    const TraceProgress& report_;
    bool cancelled_ = false;
};

struct PassProgress {
    Progress* progress;
    int index, count;
};

void onTracerProgress(double fraction, void* data) {
    auto* p = static_cast<PassProgress*>(data);
    // The tracer's part of a pass is from 0.1 to 0.9 of it.
    p->progress->update(p->index, p->count, 0.1 + 0.8 * fraction);
}

class ToDrawing {
public:
    explicit ToDrawing(const TracePlacement& p) : p_(p) {}
    TCvCoord operator()(const potrace_dpoint_t& q) const {
        return {p_.position.x + q.x * p_.factor, p_.position.y - q.y * p_.factor};
    }

private:
    TracePlacement p_;
};

// One closed path, one anchor per segment end and per corner vertex; straight pieces have
// retracted handles.
TCvLine toLine(const potrace_curve_t& curve, const ToDrawing& map) {
    TCvLine line;
    line.closed = 1;
    std::vector<TCvPoint>& pts = line.points;
    pts.reserve(static_cast<std::size_t>(curve.n) * 2 + 1);
    const TCvCoord start = map(curve.c[curve.n - 1][2]);
    pts.emplace_back(start, start, start);
    for (int i = 0; i < curve.n; ++i) {
        const potrace_dpoint_t* c = curve.c[i];
        const TCvCoord end = map(c[2]);
        if (curve.tag[i] == POTRACE_CURVETO) {
            pts.back().outHandle = map(c[0]);
            pts.emplace_back(end, map(c[1]), end);
        } else {
            pts.back().outHandle = pts.back().anchor;
            const TCvCoord vertex = map(c[1]);
            pts.emplace_back(vertex, vertex, vertex);
            pts.emplace_back(end, end, end);
        }
    }
    // The last end is the start again: its incoming handle belongs to the first anchor.
    pts.front().inHandle = pts.back().inHandle;
    pts.pop_back();
    for (TCvPoint& p : pts) p.updateIndependent();
    return line;
}

// Each outline with the holes the tracer found directly inside it, merged as Make Hole merges
// them. The tracer's own nesting picks the candidates, so a scan of many thousand specks costs
// no comparison of every outline with every other.
void appendPaths(const potrace_path_t* list, const ToDrawing& map, std::vector<TCvLine>& out) {
    for (const potrace_path_t* p = list; p; p = p->next) {
        if (p->sign != '+' || p->curve.n <= 0) continue;
        std::vector<TCvLine> group{toLine(p->curve, map)};
        for (const potrace_path_t* c = p->childlist; c; c = c->sibling)
            if (c->sign == '-' && c->curve.n > 0) group.push_back(toLine(c->curve, map));
        if (group.size() == 1) {
            out.push_back(std::move(group.front()));
            continue;
        }
        Flatten(BuildTree(group).top, out);
    }
}

// Brightness thresholds of the passes, the largest area first so darker levels stack on top.
std::vector<int> passThresholds(const TraceOptions& o) {
    std::vector<int> t;
    if (o.levels < 2) {
        t.push_back(o.threshold);
        return t;
    }
    for (int k = o.levels - 1; k >= 1; --k) t.push_back((256 * k + o.levels / 2) / o.levels);
    // Inverted, the light side is traced: a lower threshold takes in more.
    if (o.invert) std::reverse(t.begin(), t.end());
    return t;
}

} // namespace

TracePlacement draftPlacement(int width, int height, double units) {
    const double factor = units / width;
    return {{-(width * factor) / 2, (height * factor) / 2}, factor};
}

TraceResult tracePicture(const RasterImage& image, const TraceOptions& requested,
                         const TracePlacement& placement, const TraceProgress& report) {
    TraceResult result;
    if (image.width <= 0 || image.height <= 0) {
        result.status = TraceStatus::NoDarkArea;
        return result;
    }
    const TraceOptions options = clampedTraceOptions(requested);
    Progress progress(report);
    const std::vector<int> thresholds = passThresholds(options);
    const int passes = static_cast<int>(thresholds.size());
    const ToDrawing map(placement);
    try {
        std::unique_ptr<potrace_param_t, ParamDeleter> param(potrace_param_default());
        if (!param) throw std::bad_alloc();
        param->turdsize = options.turdSize;
        param->turnpolicy = POTRACE_TURNPOLICY_MINORITY;
        param->alphamax = options.alphamax;
        param->opticurve = options.optimize ? 1 : 0;
        param->opttolerance = options.tolerance;
        for (int pass = 0; pass < passes; ++pass) {
            if (!progress.update(pass, passes, 0)) break;
            const TraceBitmap bitmap =
                darkPixels(image, thresholds[static_cast<std::size_t>(pass)], options.invert,
                           [&] { return !progress.cancelled(); });
            if (progress.cancelled()) break;
            if (bitmap.empty()) continue;
            PassProgress passProgress{&progress, pass, passes};
            param->progress.callback = report ? onTracerProgress : nullptr;
            param->progress.data = &passProgress;
            param->progress.min = 0;
            param->progress.max = 1;
            param->progress.epsilon = 0.01;
            const std::unique_ptr<potrace_state_t, StateDeleter> state(
                potrace_trace(param.get(), &bitmap.raw()));
            if (!state || state->status != POTRACE_STATUS_OK) throw std::bad_alloc();
            if (progress.cancelled()) break;
            appendPaths(state->plist, map, result.paths);
        }
    } catch (const std::length_error& e) {
        result.paths.clear();
        result.status = TraceStatus::TooLarge;
        result.error = e.what();
        return result;
    } catch (const std::bad_alloc&) {
        result.paths.clear();
        result.status = TraceStatus::Failed;
        result.error = "Not enough memory to trace the picture";
        return result;
    }
    if (!progress.update(passes, passes, 0)) {
        result.paths.clear();
        result.status = TraceStatus::Cancelled;
        return result;
    }
    result.status = result.paths.empty() ? TraceStatus::NoDarkArea : TraceStatus::Done;
    return result;
}

RasterImage reducedPicture(const RasterImage& image, int maxSide, TracePlacement& placement) {
    const int longer = std::max(image.width, image.height);
    if (maxSide <= 0 || longer <= maxSide) return image;
    const int k = (longer + maxSide - 1) / maxSide;
    RasterImage out;
    out.width = (image.width + k - 1) / k;
    out.height = (image.height + k - 1) / k;
    out.pixels.resize(static_cast<std::size_t>(out.width) * out.height);
    // Each new pixel is the mean of its k x k block (the part inside the picture at the edges),
    // transparent counting as white.
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            long r = 0, g = 0, b = 0, n = 0;
            for (int yy = y * k; yy < std::min(image.height, (y + 1) * k); ++yy)
                for (int xx = x * k; xx < std::min(image.width, (x + 1) * k); ++xx) {
                    const Color c = image.at(xx, yy);
                    const bool clear = image.transparent && c == *image.transparent;
                    r += clear ? 255 : redOf(c);
                    g += clear ? 255 : greenOf(c);
                    b += clear ? 255 : blueOf(c);
                    ++n;
                }
            out.pixels[static_cast<std::size_t>(y) * out.width + x] =
                rgbColor(static_cast<int>(r / n), static_cast<int>(g / n), static_cast<int>(b / n));
        }
    placement.factor *= k;
    return out;
}

} // namespace plumex
