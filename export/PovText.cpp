#include "export/PovText.h"

#include "export/PovFormat.h"

#include <algorithm>

namespace plumex {
namespace {

int arrayCount(const TCvLine& line, const PovRequest& r);

void appendSegmentLine(std::string& out, const Segment& s, int acc, double w, double u) {
    out += ' ';
    for (TCvCoord p : {s.a, s.h1, s.h2, s.b}) appendPovVector(out, {(p.x + w) * u, p.y}, acc);
    out += "\r\n";
}

void appendPrism(std::string& out, const TCvLine& line, const PovRequest& r) {
    const int segments = line.segmentCount();
    out += "prism {\r\n linear_sweep\r\n bezier_spline ";
    out += r.sweep;
    out += ',';
    out += std::to_string(4 * segments);
    out += "\r\n";
    for (int i = 0; i < segments; ++i) appendSegmentLine(out, line.segment(i), r.accuracy, 0, 1);
    out += r.modifiers;
    out += "}\r\n";
}

void appendLathe(std::string& out, const TCvLine& line, const PovRequest& r) {
    const int segments = line.segmentCount();
    out += "lathe {\r\n bezier_spline ";
    out += std::to_string(4 * segments);
    out += "\r\n";
    for (int i = 0; i < segments; ++i)
        appendSegmentLine(out, line.segment(i), r.accuracy, r.offset, r.factor);
    if (r.offset != 0) {
        out += " translate ";
        appendPovNumber(out, -r.offset, r.accuracy);
        out += "*x\r\n";
    }
    out += r.modifiers;
    out += "}\r\n";
}

// One array element in the chosen point form; the value text goes in as typed.
void appendPoint(std::string& out, TCvCoord p, const PovRequest& r) {
    out += '<';
    appendPovNumber(out, p.x, r.accuracy);
    out += ',';
    if (r.pointForm == PointForm::XValueY) {
        out += r.modifiers;
        out += ',';
    }
    appendPovNumber(out, p.y, r.accuracy);
    if (r.pointForm == PointForm::XYValue) {
        out += ',';
        out += r.modifiers;
    }
    out += '>';
}

void appendControlLines(std::string& out, const TCvLine& line, const PovRequest& r) {
    const bool allFour = r.lineForm == LineForm::AllFour;
    out += "\r\n";
    for (int i = 0; i < line.segmentCount(); ++i) {
        const Segment s = line.segment(i);
        out += ' ';
        appendPoint(out, s.a, r);
        appendPoint(out, s.h1, r);
        appendPoint(out, s.h2, r);
        if (allFour) appendPoint(out, s.b, r);
        out += "\r\n";
    }
    if (allFour) return;
    out += ' ';
    appendPoint(out, line.closed ? line.points.front().anchor : line.points.back().anchor, r);
    out += "\r\n";
}

int divisions(const PovRequest& r) {
    return std::clamp(r.divideCount, 0, MaxDivideCount);
}

void appendPolyLine(std::string& out, const TCvLine& line, const PovRequest& r) {
    int k = 0;
    auto put = [&](TCvCoord p) {
        if (k++ % 5 == 0) out += "\r\n ";
        appendPoint(out, p, r);
    };
    const int d = divisions(r);
    for (int i = 0; i < line.segmentCount(); ++i) {
        const Segment s = line.segment(i);
        if (s.straight()) {
            put(s.a);
            continue;
        }
        for (int j = 0; j < d; ++j) put(evaluate(s, static_cast<double>(j) / d));
    }
    if (!line.closed) {
        out += "\r\n ";
        appendPoint(out, line.points.back().anchor, r);
    }
    out += "\r\n";
}

void appendArray(std::string& out, const TCvLine& line, const PovRequest& r) {
    out += r.name;
    out += " = array[";
    out += std::to_string(arrayCount(line, r));
    out += "] {";
    if (r.lineForm == LineForm::PolyLine)
        appendPolyLine(out, line, r);
    else
        appendControlLines(out, line, r);
    out += "}\r\n";
}

int arrayCount(const TCvLine& line, const PovRequest& r) {
    const int segments = line.segmentCount();
    switch (r.lineForm) {
    case LineForm::AllFour:
        return 4 * segments;
    case LineForm::SharedEnds:
        return 3 * segments + 1;
    case LineForm::PolyLine:
        break;
    }
    int count = line.closed ? 0 : 1;
    for (int i = 0; i < segments; ++i) count += line.segment(i).straight() ? 1 : divisions(r);
    return count;
}

} // namespace

bool PovHasText(const TCvLine& line, const PovRequest& request) {
    if (line.points.empty()) return false;
    return request.mode != PovMode::Array || arrayCount(line, request) > 0;
}

void appendPovText(std::string& out, const TCvLine& line, const PovRequest& request) {
    if (!PovHasText(line, request)) return;
    PovRequest r = request;
    r.accuracy = clampAccuracy(r.accuracy);
    switch (r.mode) {
    case PovMode::Prism:
    case PovMode::Lathe:
        if (!r.name.empty()) out += r.name + " = ";
        if (r.mode == PovMode::Prism)
            appendPrism(out, line, r);
        else
            appendLathe(out, line, r);
        break;
    case PovMode::Array:
        appendArray(out, line, r);
        break;
    }
}

} // namespace plumex

std::string PovText(const TCvLine& line, const plumex::PovRequest& request) {
    std::string out;
    plumex::appendPovText(out, line, request);
    return out;
}
