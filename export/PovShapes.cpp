#include "export/PovShapes.h"

#include "export/PovFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace plumex {
namespace {

TCvCoord mirrored(TCvCoord end, TCvCoord next) {
    return {2 * end.x - next.x, 2 * end.y - next.y};
}

// Distance to the chord as a piece, not as a line: a handle beyond an end pulls the curve past
// it, which a line's distance would not see.
double distanceToChord(TCvCoord p, TCvCoord a, TCvCoord b) {
    const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
    const double t =
        len2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2, 0.0, 1.0) : 0.0;
    return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
}

// The curve lies in its control points' hull, so pieces whose handles lie close enough to
// the chord are flat enough. Each halving cuts the distance about fourfold, so ten of them
// (1024 pieces) reach a millionth of the segment's size; the cap keeps NaN, infinite and
// absurdly small tolerances from running away.
void flattenSegment(const Segment& s, double tolerance, int depth, std::vector<TCvCoord>& out) {
    const double off = std::max(distanceToChord(s.h1, s.a, s.b), distanceToChord(s.h2, s.a, s.b));
    if (depth >= 10 || !(off > tolerance)) {
        out.push_back(s.b);
        return;
    }
    const SplitResult r = split(s, 0.5);
    flattenSegment({s.a, r.firstOut, r.inHandle, r.anchor}, tolerance, depth + 1, out);
    flattenSegment({r.anchor, r.outHandle, r.secondIn, s.b}, tolerance, depth + 1, out);
}

TCvCoord placed(TCvCoord p, const PovRequest& r) {
    return {(p.x + r.offset) * r.factor, p.y};
}

void appendNumberOrText(std::string& out, const std::string& text, double value, bool number,
                        int accuracy) {
    if (number) {
        appendPovNumber(out, value, accuracy);
        return;
    }
    out += '(';
    out += text;
    out += ')';
}

const char* splineKeyword(SweepSpline spline) {
    switch (spline) {
    case SweepSpline::Linear:
        break;
    case SweepSpline::BSpline:
        return "b_spline";
    case SweepSpline::Cubic:
        return "cubic_spline";
    }
    return "linear_spline";
}

std::string trimmed(std::string_view t) {
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
    return std::string(t);
}

} // namespace

bool fieldNumber(std::string_view text, double& value) {
    const std::string t = trimmed(text);
    std::string_view v = t;
    if (!v.empty() && v.front() == '+') v.remove_prefix(1);
    double parsed = 0;
    const auto res = std::from_chars(v.data(), v.data() + v.size(), parsed);
    if (v.empty() || res.ec != std::errc() || res.ptr != v.data() + v.size() ||
        !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

std::vector<TCvCoord> flattenPath(const TCvLine& line, double tolerance) {
    std::vector<TCvCoord> out;
    if (line.points.empty()) return out;
    out.push_back(line.points.front().anchor);
    for (int i = 0; i < line.segmentCount(); ++i) {
        const Segment s = line.segment(i);
        if (s.straight())
            out.push_back(s.b);
        else
            flattenSegment(s, tolerance, 0, out);
    }
    return out;
}

double flatteningTolerance(const TCvLine& line, const PovRequest& request) {
    if (request.tolerance > 0 && std::isfinite(request.tolerance)) return request.tolerance;
    const TCvRect b = line.GetHullBounds();
    const double size = std::hypot(b.right - b.left, b.top - b.bottom);
    return std::isfinite(size) && size > 0 ? size / 1000 : 1e-3;
}

int minimumCentres(SweepSpline spline) {
    return spline == SweepSpline::Linear ? 2 : 4;
}

std::vector<TCvCoord> sweepCentres(const TCvLine& line, const PovRequest& request) {
    if (line.points.empty()) return {};
    if (request.spline == SweepSpline::Linear)
        return flattenPath(line, flatteningTolerance(line, request));
    std::vector<TCvCoord> anchors;
    anchors.reserve(line.points.size() + 3);
    for (const TCvPoint& p : line.points) anchors.push_back(p.anchor);
    const std::size_t n = anchors.size();
    std::vector<TCvCoord> out;
    out.reserve(n + 3);
    if (line.closed) {
        // Around once more: the last anchor leads, the first two follow the end.
        out.push_back(anchors[n - 1]);
        out.insert(out.end(), anchors.begin(), anchors.end());
        out.push_back(anchors[0]);
        out.push_back(anchors[1 % n]);
        return out;
    }
    if (n == 1) return anchors; // too few either way; the check says so
    out.push_back(mirrored(anchors[0], anchors[1]));
    out.insert(out.end(), anchors.begin(), anchors.end());
    out.push_back(mirrored(anchors[n - 1], anchors[n - 2]));
    return out;
}

SorProfile sorProfile(const TCvLine& line, const PovRequest& request) {
    SorProfile profile;
    const int n = line.count();
    if (n == 0) return profile;
    // Drawn from the top down: every anchor below the one before it.
    bool falling = n > 1;
    for (int i = 1; i < n && falling; ++i)
        falling = line.points[static_cast<std::size_t>(i)].anchor.y <
                  line.points[static_cast<std::size_t>(i - 1)].anchor.y;
    std::vector<int> order(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) order[static_cast<std::size_t>(i)] = falling ? n - 1 - i : i;
    std::vector<TCvCoord> anchors;
    anchors.reserve(order.size());
    for (int k : order)
        anchors.push_back(placed(line.points[static_cast<std::size_t>(k)].anchor, request));
    if (n == 1) {
        profile.points = anchors;
        profile.anchors = order;
        return profile;
    }
    TCvCoord first = mirrored(anchors[0], anchors[1]);
    TCvCoord last = mirrored(anchors.back(), anchors[anchors.size() - 2]);
    // POV-Ray refuses a negative radius even on the control points.
    first.x = std::max(first.x, 0.0);
    last.x = std::max(last.x, 0.0);
    profile.points.reserve(anchors.size() + 2);
    profile.points.push_back(first);
    profile.points.insert(profile.points.end(), anchors.begin(), anchors.end());
    profile.points.push_back(last);
    profile.anchors.push_back(order.front());
    profile.anchors.insert(profile.anchors.end(), order.begin(), order.end());
    profile.anchors.push_back(order.back());
    return profile;
}

void appendConicPlacement(std::string& out, const PovRequest& r) {
    double bottom = 0, top = 0;
    const bool numbers = fieldNumber(r.bottom, bottom) && fieldNumber(r.top, top);
    out += " scale <1,";
    if (numbers) {
        appendPovNumber(out, bottom - top, r.accuracy);
    } else {
        out += '(' + r.bottom + ")-(" + r.top + ')';
    }
    out += ",1>\r\n translate <";
    appendPovNumber(out, r.apex.x, r.accuracy);
    out += ',';
    appendNumberOrText(out, r.top, top, numbers, r.accuracy);
    out += ',';
    appendPovNumber(out, r.apex.y, r.accuracy);
    out += ">\r\n";
}

void appendShapeText(std::string& out, const TCvLine& line, const PovRequest& r,
                     const std::function<void()>& lineEnd) {
    if (!r.name.empty()) {
        out += r.name;
        out += " = ";
    }
    if (r.mode == PovMode::SphereSweep) {
        const std::vector<TCvCoord> centres = sweepCentres(line, r);
        const std::string radius = trimmed(r.radius);
        out += "sphere_sweep {\r\n ";
        out += splineKeyword(r.spline);
        out += "\r\n " + std::to_string(centres.size()) + ",\r\n";
        lineEnd();
        // The drawing lies on the floor, as the prism's outline does.
        for (TCvCoord c : centres) {
            out += " <";
            appendPovNumber(out, c.x, r.accuracy);
            out += ",0,";
            appendPovNumber(out, c.y, r.accuracy);
            out += ">,";
            out += radius;
            out += "\r\n";
            lineEnd();
        }
        out += r.modifiers;
        out += "}\r\n";
        lineEnd();
        return;
    }
    const SorProfile profile = sorProfile(line, r);
    out += "sor {\r\n " + std::to_string(profile.points.size()) + ",\r\n";
    lineEnd();
    for (TCvCoord p : profile.points) {
        out += ' ';
        appendPovVector(out, p, r.accuracy);
        out += "\r\n";
        lineEnd();
    }
    if (r.offset != 0) {
        out += " translate ";
        appendPovNumber(out, -r.offset, r.accuracy);
        out += "*x\r\n";
    }
    out += r.modifiers;
    out += "}\r\n";
    lineEnd();
}

} // namespace plumex
