#include "export/BitmapExport.h"

#include "export/PathSink.h"
#include "model/FileBytes.h"
#include "raster/EvenOddRasterizer.h"

#include <cmath>
#include <new>
#include <ostream>
#include <stdexcept>
#include <system_error>

namespace plumex {
namespace {

std::optional<std::int64_t> side(double extent, double scale, int margin) {
    const double v = std::trunc(extent * scale + 2.0 * margin);
    if (!(std::fabs(v) < 9.0e18)) return std::nullopt;
    return static_cast<std::int64_t>(v);
}

// Drawing units to sample space: x to the right from the left margin, y up from the bottom
// row, so the rows come out in the order the file stores them.
struct SampleMap {
    double scale, ox, oy;
    TCvCoord operator()(TCvCoord p) const { return {p.x * scale + ox, p.y * scale + oy}; }
};

SampleMap sampleMap(const BitmapRequest& r, std::int64_t height, int factor) {
    const double ox = std::trunc(r.margin + -r.bounds.left * r.scale) * factor;
    const double oyDown = std::trunc(r.margin + r.bounds.top * r.scale) * factor;
    return {r.scale * factor, ox, static_cast<double>(height) * factor - oyDown};
}

// Straight segments as they are, curves in pieces short enough that no piece strays more
// than a fifth of a sample from the curve (Wang's bound on the second differences).
class EdgeSink : public PathSink {
public:
    EdgeSink(const SampleMap& map, std::vector<RasterEdge>& out) : map_(map), out_(out) {}

    void moveTo(const TCvPoint& start) override { at_ = map_(start.anchor); }
    void lineTo(const Segment&, const TCvPoint& end) override { edgeTo(map_(end.anchor)); }
    void cubicTo(const Segment& s, const TCvPoint&) override {
        const TCvCoord p0 = map_(s.a), p1 = map_(s.h1), p2 = map_(s.h2), p3 = map_(s.b);
        const double d = std::max(std::hypot(p0.x - 2 * p1.x + p2.x, p0.y - 2 * p1.y + p2.y),
                                  std::hypot(p1.x - 2 * p2.x + p3.x, p1.y - 2 * p2.y + p3.y));
        const double pieces = std::ceil(std::sqrt(0.75 * d / 0.2));
        const int n = pieces >= 1 ? static_cast<int>(std::min(pieces, 4096.0)) : 1;
        for (int i = 1; i < n; ++i) {
            const double t = double(i) / n, u = 1 - t;
            const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, e = t * t * t;
            edgeTo({a * p0.x + b * p1.x + c * p2.x + e * p3.x,
                    a * p0.y + b * p1.y + c * p2.y + e * p3.y});
        }
        edgeTo(p3);
    }

private:
    void edgeTo(TCvCoord p) {
        out_.push_back({at_.x, at_.y, p.x, p.y});
        at_ = p;
    }

    const SampleMap& map_;
    std::vector<RasterEdge>& out_;
    TCvCoord at_;
};

class PathOutlines : public OutlineSource {
public:
    PathOutlines(const std::vector<TCvLine>& lines, const SampleMap& map)
        : lines_(lines), map_(map) {}

    std::size_t outlineCount() const override { return lines_.size(); }
    void outlineRows(std::size_t i, double& top, double& bottom) const override {
        const TCvLine& line = lines_[i];
        if (line.points.empty()) {
            top = bottom = std::nan("");
            return;
        }
        const TCvRect hull = line.GetHullBounds();
        top = map_({0, hull.bottom}).y;
        bottom = map_({0, hull.top}).y;
    }
    bool flattenOutline(std::size_t i, std::vector<RasterEdge>& out) const override {
        EdgeSink sink(map_, out);
        walkPath(lines_[i], sink);
        return lines_[i].closed != 0;
    }

private:
    const std::vector<TCvLine>& lines_;
    SampleMap map_;
};

} // namespace

std::optional<BitmapSize> bitmapOutputSize(const TCvRect& b, double scale, int margin) {
    const auto w = side(b.right - b.left, scale, margin);
    const auto h = side(b.top - b.bottom, scale, margin);
    if (!w || !h) return std::nullopt;
    return BitmapSize{*w, *h};
}

double bitmapSizeEstimate(BitmapSize s, BitmapMode mode) {
    const auto w = static_cast<double>(s.width), h = static_cast<double>(s.height);
    if (mode == BitmapMode::GreyScale) return w * h + 1078;
    return h * 2 * std::ceil(w / 16) + 62;
}

BitmapOutcome renderBitmap(ByteSink& sink, const std::vector<TCvLine>& lines,
                           const BitmapRequest& request, const BitmapProgress& progress) {
    const BmpFormat format =
        request.mode == BitmapMode::GreyScale ? BmpFormat::Grey8 : BmpFormat::Mono1;
    const std::optional<BitmapSize> size =
        bitmapOutputSize(request.bounds, request.scale, request.margin);
    // A scale that is not positive would mirror the drawing out of the picture.
    if (!(request.scale > 0) || request.margin < 0 || !size ||
        !bmpFileSize(size->width, size->height, format))
        return {BitmapResult::TooLarge, {}};
    const int factor = request.mode == BitmapMode::GreyScale ? 8 : 1;
    try {
        const SampleMap map = sampleMap(request, size->height, factor);
        const PathOutlines outlines(lines, map);
        BmpWriter writer(sink, size->width, size->height, format);
        const bool done = rasterizeEvenOdd(outlines, size->width, size->height, factor,
                                           [&](std::int64_t y, std::span<const std::uint8_t> row) {
                                               writer.writeRow(row);
                                               return !progress || progress(y + 1, size->height);
                                           });
        return {done ? BitmapResult::Written : BitmapResult::Cancelled, {}};
    } catch (const std::bad_alloc&) {
        return {BitmapResult::TooLarge, {}};
    }
}

BitmapOutcome ExportBitmap(const std::string& fileName, const std::vector<TCvLine>& lines,
                           const BitmapRequest& request, const BitmapProgress& progress) {
    if (fileName.empty()) return {BitmapResult::Failed, {}};
    // Thrown out of the writer so that the temporary file is dropped and the target kept.
    struct NotWritten {};
    BitmapOutcome outcome;
    try {
        writeFileAtomically(fileName, [&](std::ostream& os) {
            StreamByteSink sink(os);
            // A failed write (a full disk) ends the rendering at once instead of after every
            // row; the file writer then reports the system's reason.
            const auto rows = [&](std::int64_t done, std::int64_t total) {
                return os.good() && (!progress || progress(done, total));
            };
            outcome = renderBitmap(sink, lines, request, rows);
            if (!os.good()) return;
            if (outcome.result != BitmapResult::Written) throw NotWritten{};
        });
    } catch (const NotWritten&) {
    } catch (const std::system_error& e) {
        return {BitmapResult::Failed, e.what()};
    }
    return outcome;
}

} // namespace plumex
