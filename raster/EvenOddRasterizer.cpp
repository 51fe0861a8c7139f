#include "raster/EvenOddRasterizer.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <numeric>
#include <queue>

namespace plumex {
namespace {

struct Edge {
    RasterEdge e;
    std::int64_t firstRow; // first sample row the edge may touch
    std::int64_t lastRow;  // last one
    std::uint32_t outline; // activation number of its outline
    bool stroke;           // from an open outline: drawn, not filled
};

struct LaterFirst {
    bool operator()(const Edge& a, const Edge& b) const { return a.firstRow > b.firstRow; }
};

// A sample row: one bit per sample, set for black.
class BitRow {
public:
    explicit BitRow(std::int64_t samples)
        : samples_(samples), bytes_(static_cast<std::size_t>((samples + 7) / 8)) {}

    void clear() { std::fill(bytes_.begin(), bytes_.end(), std::uint8_t{0}); }
    // Sets the samples a <= i < b, clipped to the row.
    void set(std::int64_t a, std::int64_t b) {
        a = std::max<std::int64_t>(a, 0);
        b = std::min(b, samples_);
        if (a >= b) return;
        std::int64_t firstFull = (a + 7) / 8, lastFull = b / 8;
        if (firstFull > lastFull) { // within one byte
            bytes_[static_cast<std::size_t>(a / 8)] |= mask(a % 8, b % 8 == 0 ? 8 : b % 8);
            return;
        }
        if (a % 8) bytes_[static_cast<std::size_t>(a / 8)] |= mask(a % 8, 8);
        if (lastFull > firstFull)
            std::memset(&bytes_[static_cast<std::size_t>(firstFull)], 0xFF,
                        static_cast<std::size_t>(lastFull - firstFull));
        if (b % 8) bytes_[static_cast<std::size_t>(lastFull)] |= mask(0, b % 8);
    }
    bool test(std::int64_t i) const {
        return bytes_[static_cast<std::size_t>(i / 8)] >> (i % 8) & 1;
    }
    std::uint8_t byte(std::size_t i) const { return bytes_[i]; }

private:
    static std::uint8_t mask(std::int64_t from, std::int64_t to) {
        return static_cast<std::uint8_t>(((1u << to) - 1) & ~((1u << from) - 1));
    }
    std::int64_t samples_;
    std::vector<std::uint8_t> bytes_;
};

// Row index of a sample y, kept inside the band of rows that can matter.
std::int64_t rowOf(double y, std::int64_t rows) {
    return static_cast<std::int64_t>(std::clamp(std::floor(y), -1.0, static_cast<double>(rows)));
}

class Renderer {
public:
    Renderer(const OutlineSource& source, std::int64_t width, std::int64_t height, int factor)
        : source_(source), factor_(factor), width_(width), samples_(width * factor),
          rows_(height * factor), bits_(samples_), black_(static_cast<std::size_t>(width)),
          out_(static_cast<std::size_t>(width)), order_(source.outlineCount()),
          tops_(source.outlineCount()) {
        for (std::size_t i = 0; i < order_.size(); ++i) {
            double top = 0, bottom = 0;
            source.outlineRows(i, top, bottom);
            // Outlines wholly off the rows, or without a number, never activate.
            tops_[i] = (std::isnan(top) || std::isnan(bottom) || bottom < 0 ||
                        top >= static_cast<double>(rows_))
                           ? rows_
                           : rowOf(top, rows_) - 1;
        }
        std::iota(order_.begin(), order_.end(), std::size_t{0});
        std::stable_sort(order_.begin(), order_.end(),
                         [&](std::size_t a, std::size_t b) { return tops_[a] < tops_[b]; });
    }

    bool run(const std::function<bool(std::int64_t, std::span<const std::uint8_t>)>& row) {
        for (std::int64_t y = 0; y < rows_ / factor_; ++y) {
            std::fill(black_.begin(), black_.end(), std::uint8_t{0});
            for (std::int64_t j = y * factor_; j < (y + 1) * factor_; ++j) {
                sampleRow(j);
                count();
            }
            const int samples = factor_ * factor_;
            for (std::size_t x = 0; x < out_.size(); ++x)
                out_[x] =
                    static_cast<std::uint8_t>(std::min(255, (samples - black_[x]) * 256 / samples));
            if (!row(y, out_)) return false;
        }
        return true;
    }

private:
    void activate(std::int64_t j) {
        while (next_ < order_.size() && tops_[order_[next_]] <= j) {
            scratch_.clear();
            const bool closed = source_.flattenOutline(order_[next_], scratch_);
            for (const RasterEdge& e : scratch_) push(e, !closed);
            ++outline_;
            ++next_;
        }
    }

    void push(const RasterEdge& e, bool stroke) {
        if (!std::isfinite(e.x0) || !std::isfinite(e.y0) || !std::isfinite(e.x1) ||
            !std::isfinite(e.y1))
            return;
        const double top = std::min(e.y0, e.y1), bottom = std::max(e.y0, e.y1);
        if (bottom < 0 || top >= static_cast<double>(rows_)) return;
        if (!stroke && e.y0 == e.y1) return; // a level edge crosses no row centre
        // A level line on a row boundary belongs to the row before it (see stroke), so start
        // one row early.
        pending_.push({e, rowOf(top, rows_) - 1, rowOf(bottom, rows_), outline_, stroke});
    }

    void sampleRow(std::int64_t j) {
        activate(j);
        while (!pending_.empty() && pending_.top().firstRow <= j) {
            active_.push_back(pending_.top());
            pending_.pop();
        }
        bits_.clear();
        crossings_.clear();
        const double centre = static_cast<double>(j) + 0.5;
        for (std::size_t k = 0; k < active_.size();) {
            const Edge& a = active_[k];
            if (a.stroke)
                stroke(a.e, j);
            else
                cross(a, centre);
            if (a.lastRow <= j) {
                active_[k] = active_.back();
                active_.pop_back();
            } else {
                ++k;
            }
        }
        fillSpans();
    }

    void cross(const Edge& a, double centre) {
        const RasterEdge& e = a.e;
        const bool down = e.y0 < e.y1;
        const double top = down ? e.y0 : e.y1, bottom = down ? e.y1 : e.y0;
        // Half-open in y, so a vertex shared by two edges counts once.
        if (!(top <= centre && centre < bottom)) return;
        const double t = (centre - e.y0) / (e.y1 - e.y0);
        double x = e.x0 + t * (e.x1 - e.x0);
        if (std::isnan(x)) x = e.x0; // the span of two huge numbers overflowed
        crossings_.push_back({a.outline, std::clamp(x, -1.0, static_cast<double>(samples_) + 1)});
    }

    // The part of the line within sample row j, one sample wide. A level line lying on a row
    // boundary is drawn in the row that ends there, so that with rows counted bottom-up it
    // lands where a top-down renderer puts a line on a whole pixel coordinate.
    void stroke(const RasterEdge& e, std::int64_t j) {
        const double lo = static_cast<double>(j), hi = lo + 1;
        double xa = e.x0, xb = e.x1;
        if (e.y0 != e.y1) {
            const double ta = std::clamp((lo - e.y0) / (e.y1 - e.y0), 0.0, 1.0);
            const double tb = std::clamp((hi - e.y0) / (e.y1 - e.y0), 0.0, 1.0);
            xa = e.x0 + ta * (e.x1 - e.x0);
            xb = e.x0 + tb * (e.x1 - e.x0);
            if (std::isnan(xa) || std::isnan(xb)) xa = xb = e.x0;
        } else if (!(lo < e.y0 && e.y0 <= hi)) {
            return;
        }
        const double limit = static_cast<double>(samples_) + 1;
        const double from = std::clamp(std::min(xa, xb), -1.0, limit);
        const double to = std::clamp(std::max(xa, xb), -1.0, limit);
        const auto first = static_cast<std::int64_t>(std::floor(from));
        const auto last = static_cast<std::int64_t>(std::floor(to));
        bits_.set(first, std::max(last, first) + 1);
    }

    // Even-odd within each outline: the samples whose centres lie between crossing pairs.
    void fillSpans() {
        std::sort(crossings_.begin(), crossings_.end());
        std::size_t k = 0;
        while (k + 1 < crossings_.size()) {
            if (crossings_[k].first != crossings_[k + 1].first) { // a lone crossing: skip it
                ++k;
                continue;
            }
            const auto a = static_cast<std::int64_t>(std::ceil(crossings_[k].second - 0.5));
            const auto b = static_cast<std::int64_t>(std::ceil(crossings_[k + 1].second - 0.5));
            bits_.set(a, b);
            k += 2;
        }
    }

    void count() {
        if (factor_ == 8) {
            for (std::size_t x = 0; x < black_.size(); ++x)
                black_[x] = static_cast<std::uint8_t>(black_[x] + std::popcount(bits_.byte(x)));
            return;
        }
        for (std::int64_t x = 0; x < width_; ++x)
            for (int s = 0; s < factor_; ++s)
                black_[static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(
                    black_[static_cast<std::size_t>(x)] + bits_.test(x * factor_ + s));
    }

    const OutlineSource& source_;
    const int factor_;
    const std::int64_t width_, samples_, rows_;
    BitRow bits_;
    std::vector<std::uint8_t> black_, out_;
    std::vector<std::size_t> order_;
    std::vector<std::int64_t> tops_;
    std::size_t next_ = 0;
    std::uint32_t outline_ = 0;
    std::vector<RasterEdge> scratch_;
    std::priority_queue<Edge, std::vector<Edge>, LaterFirst> pending_;
    std::vector<Edge> active_;
    std::vector<std::pair<std::uint32_t, double>> crossings_;
};

} // namespace

bool rasterizeEvenOdd(const OutlineSource& source, std::int64_t width, std::int64_t height,
                      int factor,
                      const std::function<bool(std::int64_t, std::span<const std::uint8_t>)>& row) {
    if (width <= 0 || height <= 0 || factor < 1 || factor > 15) return true;
    Renderer renderer(source, width, height, factor);
    return renderer.run(row);
}

} // namespace plumex
