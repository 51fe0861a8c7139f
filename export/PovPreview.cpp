#include "export/PovPreview.h"

#include "export/PovExport.h"
#include "export/PovFormat.h"
#include "export/PovShapes.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace plumex {
namespace {

PovMode shownMode(PovMode mode) {
    return mode == PovMode::Array ? PovMode::Prism : mode;
}

void take(bool& any, double& lo, double& hi, double v) {
    lo = any ? std::min(lo, v) : v;
    hi = any ? std::max(hi, v) : v;
}

PovRequest directRequest(const std::vector<TCvLine>& selection, PovMode mode,
                         const PovDlgState& dlg) {
    PovRequest r = dlg.request(shownMode(mode), latheEdgesFor(shownMode(mode), selection));
    r.name.clear();
    return r;
}

// The sweep field as POV-Ray would read a plain number; `fallback` for anything else.
double sweepHeight(const std::string& text, double fallback) {
    std::string_view t = text;
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
    double v = 0;
    const auto res = std::from_chars(t.data(), t.data() + t.size(), v);
    if (t.empty() || res.ec != std::errc() || res.ptr != t.data() + t.size() || !std::isfinite(v))
        return fallback;
    return v;
}

// Nine significant digits, in exponent form when that is shorter: a fixed number of decimals
// would turn the camera of a drawing a few thousandths across into a point.
std::string num(double v) {
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 9);
    return std::string(buf, res.ptr);
}

std::string vec(double x, double y, double z) {
    return "<" + num(x) + ", " + num(y) + ", " + num(z) + ">";
}

} // namespace

std::string PovPreviewObjects(const std::vector<TCvLine>& selection, PovMode mode,
                              const PovDlgState& dlg) {
    return PovExportText(selection, directRequest(selection, mode, dlg));
}

PovBox PovPreviewBounds(const std::vector<TCvLine>& selection, PovMode mode,
                        const PovDlgState& dlg) {
    const PovRequest r = directRequest(selection, mode, dlg);
    bool any = false;
    double x0 = 0, x1 = 0, y0 = 0, y1 = 0;
    const auto takePoint = [&](TCvCoord p) {
        take(any, x0, x1, p.x);
        take(any, y0, y1, p.y);
        any = true;
    };
    for (const TCvLine& line : selection) {
        if (!PovHasText(line, r)) continue;
        if (r.mode == PovMode::SphereSweep) {
            for (TCvCoord c : sweepCentres(line, r)) takePoint(c);
            continue;
        }
        if (r.mode == PovMode::Sor) {
            for (TCvCoord p : sorProfile(line, r).points) takePoint(p);
            continue;
        }
        for (int i = 0; i < line.segmentCount(); ++i) {
            const Segment s = line.segment(i);
            for (TCvCoord p : {s.a, s.h1, s.h2, s.b}) {
                takePoint({r.mode == PovMode::Lathe ? (p.x + r.offset) * r.factor : p.x, p.y});
            }
        }
    }
    if (!any) return {};
    if (r.mode == PovMode::Prism || r.mode == PovMode::ConicPrism) {
        const double bottom = sweepHeight(dlg.bottom, 0), top = sweepHeight(dlg.top, 1);
        return {x0, std::min(bottom, top), y0, x1, std::max(bottom, top), y1};
    }
    if (r.mode == PovMode::SphereSweep) {
        double radius = 0;
        if (!fieldNumber(r.radius, radius) || radius < 0) radius = 0;
        return {x0 - radius, -radius, y0 - radius, x1 + radius, radius, y1 + radius};
    }
    // Turned about the y axis, then moved back by the translate line.
    const double radius = std::max(std::abs(x0), std::abs(x1));
    const double axis = -r.offset;
    return {axis - radius, y0, -radius, axis + radius, y1, radius};
}

std::string PovPreviewScene(const std::vector<TCvLine>& selection, PovMode mode,
                            const PovDlgState& dlg) {
    const PovBox b = PovPreviewBounds(selection, mode, dlg);
    const double dx = b.maxX - b.minX, dy = b.maxY - b.minY, dz = b.maxZ - b.minZ;
    const double diagonal = 0.5 * std::sqrt(dx * dx + dy * dy + dz * dz);
    const double radius = diagonal > 0 && std::isfinite(diagonal) ? diagonal : 1.0;
    const double widest = std::max({dx, dy, dz});
    // Above and in front for a prism (its outline lies on the floor), nearly level for a lathe.
    const double up = turnsAboutAxis(shownMode(mode)) ? 0.3 : 0.9;
    std::string s = "// Preview scene written by Plumex\n"
                    "#version 3.7;\n"
                    "global_settings { assumed_gamma 1.0 }\n"
                    "background { color rgb <0.78, 0.84, 0.92> }\n";
    s += "#declare Centre = " +
         vec((b.minX + b.maxX) / 2, (b.minY + b.maxY) / 2, (b.minZ + b.maxZ) / 2) + ";\n";
    s += "#declare Radius = " + num(radius) + ";\n";
    s += "#declare View = vnormalize(" + vec(0, up, -1) + ");\n";
    // The bounding sphere fits the narrower of the two view angles, whatever the picture size.
    s += "#declare HalfAngle = min(20, degrees(atan(tan(radians(20)) * image_height / "
         "image_width)));\n"
         "#declare Distance = 1.1 * Radius / sin(radians(HalfAngle));\n";
    s += "camera {\n perspective\n location Centre + Distance * View\n look_at Centre\n"
         " right x*image_width/image_height\n angle 40\n}\n";
    s += "light_source { Centre + Distance * <-1, 2, -1.5> color rgb 1 }\n";
    s += "light_source { Centre + Distance * View color rgb 0.35 shadowless }\n";
    s += "plane {\n y, " + num(b.minY) + "\n pigment { checker color rgb 0.9 color rgb 0.7 " +
         "scale " + num((widest > 0 ? widest : radius) / 4) + " }\n}\n";
    return s + PovPreviewObjects(selection, mode, dlg);
}

} // namespace plumex
