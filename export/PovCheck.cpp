#include "export/PovCheck.h"

#include "export/PovExport.h"
#include "export/PovFormat.h"
#include "export/PovShapes.h"
#include "model/Containment.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace plumex {
namespace {

// POV-Ray's tolerance when it tests whether a prism's outline closes.
constexpr double PovEpsilon = 1e-10;
// A lathe radius below this share of the shape's size but above zero is noise, not intent.
constexpr double NearAxisShare = 1e-4;

// A control point as POV-Ray reads it, with the anchor that owns it (0-based).
struct WrittenPoint {
    TCvCoord p;
    int anchor = 0;
    std::size_t longest = 0; // characters of its longer number, without the sign
};

double writtenNumber(double v, int accuracy, std::size_t& length) {
    std::string text;
    appendPovNumber(text, v, accuracy);
    const bool negative = !text.empty() && text.front() == '-';
    length = text.size() - (negative ? 1 : 0);
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

bool samePlace(TCvCoord a, TCvCoord b) {
    return a.x == b.x && a.y == b.y;
}

std::string anchorWord(int anchor) {
    return "anchor " + std::to_string(anchor + 1);
}

class PathChecker {
public:
    PathChecker(std::vector<PovFinding>& out, const TCvLine& line, int number, const PovRequest& r)
        : out_(out), first_(out.size()), line_(line), number_(number), r_(r) {
        r_.accuracy = clampAccuracy(r_.accuracy);
    }

    void run() {
        if (line_.points.empty()) return;
        if (r_.mode == PovMode::Array && !PovHasText(line_, r_)) {
            add(PovSeverity::Refuse, PovCheckRule::EmptyArray, -1, emptyArrayText());
            return;
        }
        if (r_.mode != PovMode::Array && line_.segmentCount() == 0) {
            add(PovSeverity::Refuse, PovCheckRule::SingleAnchor, 0, singleAnchorText());
            return;
        }
        if (r_.mode == PovMode::SphereSweep || r_.mode == PovMode::Sor) {
            if (r_.mode == PovMode::SphereSweep) collectCentres();
            if (r_.mode == PovMode::Sor) collectProfile();
            checkNumbers();
            if (r_.mode == PovMode::SphereSweep) checkRadius();
            if (r_.mode == PovMode::Sor) checkProfile();
            return;
        }
        collectPoints();
        checkNumbers();
        checkDegenerateSegments();
        if (r_.mode == PovMode::Prism || r_.mode == PovMode::ConicPrism) checkPrismOutline();
        if (r_.mode == PovMode::ConicPrism) checkConicHeights();
        if (r_.mode == PovMode::Lathe) checkLatheAxis();
    }

private:
    void add(PovSeverity severity, PovCheckRule rule, int anchor, std::string message) {
        // Only this path's own findings, which follow first_, can repeat this one.
        for (std::size_t k = first_; k < out_.size(); ++k)
            if (out_[k].rule == rule && out_[k].anchor == anchor + 1) return;
        out_.push_back({severity, rule, number_, line_.name, anchor + 1, std::move(message)});
    }

    std::string emptyArrayText() const {
        if (r_.lineForm == LineForm::PolyLine)
            return "\"Divide by\" " + std::to_string(r_.divideCount) +
                   " leaves this closed curved path without a point; POV-Ray refuses an "
                   "empty array, so the export leaves it out; divide by 1 or more";
        return "a single anchor has no segment to write; POV-Ray refuses an empty array, so "
               "the export leaves it out";
    }

    std::string singleAnchorText() const {
        switch (r_.mode) {
        case PovMode::SphereSweep:
            return "a single anchor is too few spheres for a sweep; POV-Ray stops with \"Too "
                   "few modeling spheres for interpolation type.\"; delete it or add anchors";
        case PovMode::Sor:
            return "a single anchor gives a surface of revolution of one point; POV-Ray "
                   "stops with \"Surface of revolution must have at least four points.\"; "
                   "delete it or add anchors";
        default:
            return "a single anchor makes an object without segments (bezier_spline of 0 "
                   "points), which POV-Ray shows as nothing; delete it or add anchors";
        }
    }

    // Points that were written as they are, each owned by `anchor` (-1: the whole path).
    void takeWritten(TCvCoord p, int anchor) {
        WrittenPoint w;
        std::size_t lx = 0, ly = 0;
        w.p = {writtenNumber(p.x, r_.accuracy, lx), writtenNumber(p.y, r_.accuracy, ly)};
        w.longest = std::max(lx, ly);
        w.anchor = anchor;
        points_.push_back(w);
    }

    void collectCentres() {
        const bool throughAnchors = r_.spline != SweepSpline::Linear;
        const std::vector<TCvCoord> centres = sweepCentres(line_, r_);
        const int n = line_.count();
        for (std::size_t k = 0; k < centres.size(); ++k) {
            // The spline types lead with one control point; the anchors follow in order.
            const int i = static_cast<int>(k) - 1;
            const int anchor = !throughAnchors ? -1
                               : line_.closed  ? (i + n) % n
                                               : std::clamp(i, 0, n - 1);
            takeWritten(centres[k], anchor);
        }
    }

    void collectProfile() {
        const SorProfile profile = sorProfile(line_, r_);
        for (std::size_t k = 0; k < profile.points.size(); ++k)
            takeWritten(profile.points[k], profile.anchors[k]);
    }

    void checkRadius() {
        double radius = 0;
        if (!fieldNumber(r_.radius, radius) || radius > 0) return; // an expression is not judged
        add(PovSeverity::Refuse, PovCheckRule::SweepRadius, -1,
            "the radius " + FormatPovNumber(radius, r_.accuracy) +
                " leaves nothing of the sphere sweep in the picture; give a radius above 0");
    }

    void checkProfile() {
        if (line_.closed)
            add(PovSeverity::Warn, PovCheckRule::SorClosed, -1,
                "the path is closed, but a surface of revolution runs from the first anchor to "
                "the last: the closing segment is left out; open the path or export a lathe");
        // POV-Ray compares the heights of all but the end control points.
        for (std::size_t k = 1; k + 2 < points_.size(); ++k)
            if (points_[k + 1].p.y <= points_[k].p.y)
                add(PovSeverity::Refuse, PovCheckRule::SorNotRising, points_[k + 1].anchor,
                    "is not higher than " + anchorWord(points_[k].anchor) +
                        "; a surface of revolution needs every anchor above the one before, "
                        "and POV-Ray stops with \"Incorrect point in surface of revolution.\"; "
                        "export the path as a lathe instead (\"Export as Lathe\" in the dialog, "
                        "--form lathe in plumex-cli), which takes any profile");
    }

    void checkConicHeights() {
        double bottom = 0, top = 0;
        if (!fieldNumber(r_.bottom, bottom) || !fieldNumber(r_.top, top) || bottom != top) return;
        add(PovSeverity::Warn, PovCheckRule::ConicFlat, -1,
            "Bottom and Top are both " + FormatPovNumber(top, r_.accuracy) +
                ": the cone has no height, and POV-Ray scales it by 1 instead (\"Scale Y by "
                "0.0. Changed to 1.0.\"); give the apex another height than the outline");
    }

    TCvCoord written(TCvCoord p, std::size_t& longest) const {
        if (r_.mode == PovMode::Lathe) p = {(p.x + r_.offset) * r_.factor, p.y};
        if (r_.mode == PovMode::ConicPrism) p = {p.x - r_.apex.x, p.y - r_.apex.y};
        std::size_t lx = 0, ly = 0;
        const TCvCoord w{writtenNumber(p.x, r_.accuracy, lx), writtenNumber(p.y, r_.accuracy, ly)};
        longest = std::max(lx, ly);
        return w;
    }

    void collectPoints() {
        const int n = line_.count();
        for (int i = 0; i < line_.segmentCount(); ++i) {
            const Segment s = line_.segment(i);
            const int next = (i + 1) % n;
            const std::pair<TCvCoord, int> owned[] = {
                {s.a, i}, {s.h1, i}, {s.h2, next}, {s.b, next}};
            for (const auto& [p, owner] : owned) {
                WrittenPoint w;
                w.p = written(p, w.longest);
                w.anchor = owner;
                points_.push_back(w);
            }
        }
    }

    void checkNumbers() {
        for (const WrittenPoint& w : points_)
            if (!std::isfinite(w.p.x) || !std::isfinite(w.p.y))
                add(PovSeverity::Refuse, PovCheckRule::NumberTooLong, w.anchor,
                    "a coordinate is not a finite number, which POV-Ray cannot read; undo the "
                    "transform that made it or delete the anchor");
            else if (w.longest > PovMaxNumberLength)
                add(PovSeverity::Refuse, PovCheckRule::NumberTooLong, w.anchor,
                    "a coordinate needs " + std::to_string(w.longest) + " characters at accuracy " +
                        std::to_string(r_.accuracy) +
                        "; POV-Ray reads at most 255 (\"String too long\"); scale the shape "
                        "down or lower the accuracy");
    }

    // Segment i's four written points.
    const WrittenPoint* segmentPoints(int i) const {
        return &points_[static_cast<std::size_t>(i) * 4];
    }

    void checkDegenerateSegments() {
        const int n = line_.count();
        for (int i = 0; i < line_.segmentCount(); ++i) {
            const WrittenPoint* q = segmentPoints(i);
            if (!samePlace(q[0].p, q[3].p)) continue;
            const int next = (i + 1) % n;
            const bool merged = !samePlace(line_.points[static_cast<std::size_t>(i)].anchor,
                                           line_.points[static_cast<std::size_t>(next)].anchor);
            const std::string cause =
                merged ? " once written at accuracy " + std::to_string(r_.accuracy) : "";
            if (samePlace(q[0].p, q[1].p) && samePlace(q[0].p, q[2].p)) {
                if (n == 1) continue; // a lone closed anchor is the prism's or lathe's own matter
                add(PovSeverity::Warn, PovCheckRule::ZeroLengthSegment, i,
                    "the segment to " + anchorWord(next) + " has zero length" + cause +
                        ": it adds nothing but a degenerate spline piece; delete one of the two "
                        "anchors");
            } else if (n > 1) {
                add(PovSeverity::Warn, PovCheckRule::CoincidentAnchors, i,
                    "lies on " + anchorWord(next) + cause +
                        ", so the segment between them is a loop; delete one of them or move it");
            }
        }
    }

    bool allOnOneLine() const {
        const TCvCoord a = points_.front().p;
        TCvCoord b = a;
        for (const WrittenPoint& w : points_)
            if (!samePlace(w.p, a)) b = w.p;
        for (const WrittenPoint& w : points_) {
            const double cross = (b.x - a.x) * (w.p.y - a.y) - (b.y - a.y) * (w.p.x - a.x);
            if (cross != 0) return false;
        }
        return true;
    }

    void checkPrismOutline() {
        const TCvCoord first = points_.front().p;
        const TCvCoord last = points_.back().p;
        if (std::abs(first.x - last.x) > PovEpsilon || std::abs(first.y - last.y) > PovEpsilon) {
            add(PovSeverity::Refuse, PovCheckRule::PrismOpen, line_.count() - 1,
                "the path is open; POV-Ray leaves an open prism out (\"Prism not closed. "
                "Ignoring it.\"); close it");
            return;
        }
        if (allOnOneLine())
            add(PovSeverity::Warn, PovCheckRule::PrismNoArea, -1,
                "the outline encloses no area: its anchors and handles all lie on one straight "
                "line, so the prism is a paper-thin wall with no inside; move an anchor off "
                "that line or curve a segment");
    }

    void checkLatheAxis() {
        double lo = points_.front().p.x, hi = lo, bottom = points_.front().p.y, top = bottom;
        for (const WrittenPoint& w : points_) {
            lo = std::min(lo, w.p.x);
            hi = std::max(hi, w.p.x);
            bottom = std::min(bottom, w.p.y);
            top = std::max(top, w.p.y);
        }
        const double nearAxis = NearAxisShare * std::max(hi - lo, top - bottom);
        // POV-Ray does not test the first and the last point of the list.
        for (std::size_t k = 1; k + 1 < points_.size(); ++k)
            if (points_[k].p.x < 0)
                add(PovSeverity::Refuse, PovCheckRule::LatheLeftOfAxis, points_[k].anchor,
                    "a point lies left of the lathe's axis (x = " +
                        FormatPovNumber(points_[k].p.x, r_.accuracy) +
                        "); POV-Ray stops with \"Incorrect point in lathe.\"; choose another "
                        "axis or move it right of the axis");
        for (const WrittenPoint& w : points_)
            if (w.p.x != 0 && std::abs(w.p.x) < nearAxis)
                add(PovSeverity::Hint, PovCheckRule::LatheNearAxis, w.anchor,
                    "a point lies " + FormatPovNumber(std::abs(w.p.x), r_.accuracy) +
                        " from the lathe's axis, almost but not on it, which can leave a pinhole "
                        "or seam at the axis; put it on the axis");
    }

    std::vector<PovFinding>& out_;
    std::size_t first_;
    const TCvLine& line_;
    int number_;
    PovRequest r_;
    std::vector<WrittenPoint> points_;
};

double boundsArea(const TCvRect& r) {
    return (r.right - r.left) * (r.top - r.bottom);
}

bool hasNan(const TCvRect& r) {
    return std::isnan(r.left) || std::isnan(r.right) || std::isnan(r.bottom) || std::isnan(r.top);
}

// The box of a path's anchors; false when an anchor has a NaN coordinate, which no bounds hold.
bool anchorBox(const TCvLine& line, TCvRect& box) {
    box = TCvRect(line.points.front().anchor);
    for (const TCvPoint& p : line.points) {
        if (std::isnan(p.anchor.x) || std::isnan(p.anchor.y)) return false;
        extend(box, p.anchor);
    }
    return true;
}

// `r` holds every point of `box` (inclusive, as contains() is).
bool holds(const TCvRect& r, const TCvRect& box) {
    return contains(r, {box.left, box.bottom}) && contains(r, {box.right, box.top});
}

// Outer bounds filed by the grid cells they cover. A path lies inside another only when all its
// anchors lie within the other's bounds (the first thing outlineInside asks), so an inner path
// needs only the outers filed in the cell of its anchor box's corner: comparing every pair of
// paths took minutes on large drawings.
class BoundsGrid {
public:
    BoundsGrid(const std::vector<TCvRect>& bounds, const std::vector<bool>& used) {
        std::size_t count = 0;
        bool any = false;
        TCvRect extent;
        for (std::size_t k = 0; k < bounds.size(); ++k) {
            if (!used[k]) continue;
            ++count;
            const TCvRect& b = bounds[k];
            if (!std::isfinite(b.left) || !std::isfinite(b.right) || !std::isfinite(b.bottom) ||
                !std::isfinite(b.top))
                continue;
            extent = any ? unite(extent, b) : b;
            any = true;
        }
        side_ = static_cast<int>(
            std::clamp(std::ceil(std::sqrt(static_cast<double>(count))), 1.0, 1024.0));
        left_ = extent.left;
        bottom_ = extent.bottom;
        scaleX_ = scale(extent.right - extent.left);
        scaleY_ = scale(extent.top - extent.bottom);
        // Two passes: count each cell's outers, then file them in ascending order.
        start_.assign(static_cast<std::size_t>(side_) * side_ + 1, 0);
        forEachCell(bounds, used, [&](std::size_t cell, std::size_t) { ++start_[cell + 1]; });
        for (std::size_t c = 1; c < start_.size(); ++c) start_[c] += start_[c - 1];
        filed_.resize(start_.back());
        std::vector<std::size_t> fill(start_.begin(), start_.end() - 1);
        forEachCell(bounds, used,
                    [&](std::size_t cell, std::size_t k) { filed_[fill[cell]++] = k; });
    }

    // The outers whose bounds may hold `p`, in ascending order.
    std::pair<const std::size_t*, const std::size_t*> near(TCvCoord p) const {
        const std::size_t c = cell(column(p.x, left_, scaleX_), column(p.y, bottom_, scaleY_));
        return {filed_.data() + start_[c], filed_.data() + start_[c + 1]};
    }

private:
    double scale(double width) const {
        const double s = side_ / width;
        return width > 0 && std::isfinite(s) ? s : 0.0;
    }

    // Monotonic in v, so a point between two values falls in a column between theirs.
    int column(double v, double origin, double scale) const {
        if (scale == 0) return 0;
        const double t = std::floor((v - origin) * scale);
        return static_cast<int>(std::clamp(t, 0.0, static_cast<double>(side_ - 1)));
    }

    std::size_t cell(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(side_) +
               static_cast<std::size_t>(x);
    }

    template <class F>
    void forEachCell(const std::vector<TCvRect>& bounds, const std::vector<bool>& used, F f) const {
        for (std::size_t k = 0; k < bounds.size(); ++k) {
            if (!used[k]) continue;
            const TCvRect& b = bounds[k];
            const int x0 = column(b.left, left_, scaleX_), x1 = column(b.right, left_, scaleX_);
            const int y0 = column(b.bottom, bottom_, scaleY_);
            const int y1 = column(b.top, bottom_, scaleY_);
            for (int y = y0; y <= y1; ++y)
                for (int x = x0; x <= x1; ++x) f(cell(x, y), k);
        }
    }

    int side_ = 1;
    double left_ = 0, bottom_ = 0, scaleX_ = 0, scaleY_ = 0;
    std::vector<std::size_t> start_; // cell c's outers are filed_[start_[c], start_[c + 1])
    std::vector<std::size_t> filed_;
};

// Closed paths inside an odd number of others are holes a prism would fill; those inside an
// even number are islands, which stand as objects of their own anyway.
void checkHoles(std::vector<PovFinding>& out, const std::vector<TCvLine>& selection) {
    const std::size_t n = selection.size();
    std::vector<TCvRect> bounds(n);
    std::vector<bool> outer(n, false);
    for (std::size_t k = 0; k < n; ++k) {
        const TCvLine& line = selection[k];
        if (!line.closed || line.points.empty()) continue;
        bounds[k] = line.GetBounds();
        outer[k] = !hasNan(bounds[k]); // bounds with a NaN hold no point
    }
    const BoundsGrid grid(bounds, outer);
    for (std::size_t j = 0; j < n; ++j) {
        const TCvLine& inner = selection[j];
        if (!inner.closed || inner.points.empty()) continue;
        TCvRect box;
        if (!anchorBox(inner, box)) continue;
        int depth = 0;
        std::size_t parent = n;
        const auto [first, last] = grid.near({box.left, box.bottom});
        for (const std::size_t* it = first; it != last; ++it) {
            const std::size_t k = *it;
            if (k == j || !holds(bounds[k], box)) continue;
            if (!outlineInside(selection[k], inner)) continue;
            ++depth;
            if (parent == n || boundsArea(bounds[k]) < boundsArea(bounds[parent])) parent = k;
        }
        if (depth % 2 == 0) continue;
        std::string outerName = "path " + std::to_string(parent + 1);
        if (!selection[parent].name.empty()) outerName += " \"" + selection[parent].name + "\"";
        out.push_back({PovSeverity::Hint, PovCheckRule::UnmergedHole, static_cast<int>(j + 1),
                       inner.name, 0,
                       "lies inside " + outerName +
                           ": a prism fills both; select the two and use Make Hole to cut it "
                           "out"});
    }
}

} // namespace

std::vector<PovFinding> PovCheck(const std::vector<TCvLine>& selection, const PovRequest& request) {
    std::vector<PovFinding> out;
    for (std::size_t i = 0; i < selection.size(); ++i)
        PathChecker(out, selection[i], static_cast<int>(i + 1), request).run();
    if (request.mode == PovMode::Prism || request.mode == PovMode::ConicPrism) {
        checkHoles(out, selection);
        std::stable_sort(out.begin(), out.end(),
                         [](const PovFinding& a, const PovFinding& b) { return a.path < b.path; });
    }
    return out;
}

std::vector<PovFinding> PovCheck(const std::vector<TCvLine>& selection, PovMode mode,
                                 const PovDlgState& dlg, const PovArrayDlgState& arrayDlg) {
    if (mode == PovMode::Array) return PovCheck(selection, arrayDlg.request());
    return PovCheck(selection, dlg.request(mode, latheEdgesFor(mode, selection)));
}

bool PovCheckRefuses(const std::vector<PovFinding>& findings) {
    return std::any_of(findings.begin(), findings.end(),
                       [](const PovFinding& f) { return f.severity == PovSeverity::Refuse; });
}

const char* severityName(PovSeverity severity) {
    switch (severity) {
    case PovSeverity::Refuse:
        return "refuse";
    case PovSeverity::Warn:
        return "warn";
    case PovSeverity::Hint:
        return "hint";
    }
    return "";
}

const char* ruleName(PovCheckRule rule) {
    switch (rule) {
    case PovCheckRule::SingleAnchor:
        return "single-anchor";
    case PovCheckRule::PrismOpen:
        return "prism-open";
    case PovCheckRule::PrismNoArea:
        return "prism-no-area";
    case PovCheckRule::LatheLeftOfAxis:
        return "lathe-left-of-axis";
    case PovCheckRule::LatheNearAxis:
        return "lathe-near-axis";
    case PovCheckRule::NumberTooLong:
        return "number-too-long";
    case PovCheckRule::EmptyArray:
        return "empty-array";
    case PovCheckRule::ZeroLengthSegment:
        return "zero-length-segment";
    case PovCheckRule::CoincidentAnchors:
        return "coincident-anchors";
    case PovCheckRule::UnmergedHole:
        return "unmerged-hole";
    case PovCheckRule::ConicFlat:
        return "conic-flat";
    case PovCheckRule::SweepRadius:
        return "sweep-radius";
    case PovCheckRule::SorNotRising:
        return "sor-not-rising";
    case PovCheckRule::SorClosed:
        return "sor-closed";
    }
    return "";
}

std::string describeFinding(const PovFinding& f) {
    std::string text = "path " + std::to_string(f.path);
    if (!f.pathName.empty()) text += " \"" + f.pathName + "\"";
    if (f.anchor > 0) text += ", anchor " + std::to_string(f.anchor);
    return text + ": " + f.message;
}

} // namespace plumex
