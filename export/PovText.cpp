#include "export/PovText.h"

#include "export/PathSink.h"
#include "export/PovFormat.h"
#include "export/PovShapes.h"

#include <algorithm>
#include <ostream>

namespace plumex {
namespace {

int divisions(const PovRequest& r) {
    return std::clamp(r.divideCount, 0, MaxDivideCount);
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

// Text of one object as the segment walk goes. Text is appended to `out`; with a `stream`, the
// text is handed on whenever a line ends past FlushBytes, so a huge path never sits in memory.
class PovSink : public PathSink {
public:
    PovSink(std::string& out, std::ostream* stream, const PovRequest& r)
        : out_(out), stream_(stream), r_(r) {}

    void beginPath(const TCvLine& path) override {
        segments_ = path.segmentCount();
        closed_ = path.closed != 0;
        switch (r_.mode) {
        case PovMode::Prism:
            beginObject("prism {\r\n linear_sweep\r\n bezier_spline ");
            out_ += r_.sweep;
            out_ += ',';
            break;
        case PovMode::ConicPrism:
            // POV-Ray sweeps toward the origin: the outline is written about the apex.
            beginObject("prism {\r\n conic_sweep\r\n bezier_spline 0,1,");
            break;
        case PovMode::SphereSweep:
        case PovMode::Sor:
            return; // written from their own points (see appendShapeText)
        case PovMode::Lathe:
            beginObject("lathe {\r\n bezier_spline ");
            break;
        case PovMode::Array:
            out_ += r_.name;
            out_ += " = array[";
            out_ += std::to_string(arrayCount(path, r_));
            out_ += "] {";
            if (r_.lineForm != LineForm::PolyLine) out_ += "\r\n";
            return;
        }
        out_ += std::to_string(4 * segments_);
        endLine();
    }

    void moveTo(const TCvPoint& start) override { last_ = start.anchor; }

    void lineTo(const Segment& s, const TCvPoint& end) override {
        if (polyLine())
            putPolyPoint(s.a);
        else
            segmentLine(s);
        last_ = end.anchor;
    }

    void cubicTo(const Segment& s, const TCvPoint& end) override {
        if (polyLine()) {
            const int d = divisions(r_);
            for (int j = 0; j < d; ++j) putPolyPoint(evaluate(s, static_cast<double>(j) / d));
        } else {
            segmentLine(s);
        }
        last_ = end.anchor;
    }

    void endPath() override {
        switch (r_.mode) {
        case PovMode::Lathe:
            if (r_.offset != 0) {
                out_ += " translate ";
                appendPovNumber(out_, -r_.offset, r_.accuracy);
                out_ += "*x\r\n";
            }
            [[fallthrough]];
        case PovMode::Prism:
        case PovMode::SphereSweep:
        case PovMode::Sor:
            out_ += r_.modifiers;
            break;
        case PovMode::ConicPrism:
            appendConicPlacement(out_, r_);
            out_ += r_.modifiers;
            break;
        case PovMode::Array:
            endArray();
            break;
        }
        out_ += "}\r\n";
        flushIfFull();
    }

private:
    static constexpr std::size_t FlushBytes = std::size_t{1} << 16;

    void beginObject(const char* head) {
        if (!r_.name.empty()) {
            out_ += r_.name;
            out_ += " = ";
        }
        out_ += head;
    }

    bool polyLine() const { return r_.mode == PovMode::Array && r_.lineForm == LineForm::PolyLine; }

    void endLine() {
        out_ += "\r\n";
        flushIfFull();
    }

    void flushIfFull() {
        if (!stream_ || out_.size() < FlushBytes) return;
        stream_->write(out_.data(), static_cast<std::streamsize>(out_.size()));
        out_.clear();
    }

    // One line of a segment's control points: all four, or three for shared ends.
    void segmentLine(const Segment& s) {
        out_ += ' ';
        if (r_.mode == PovMode::Array) {
            for (TCvCoord p : {s.a, s.h1, s.h2}) appendPoint(p);
            if (r_.lineForm == LineForm::AllFour) appendPoint(s.b);
        } else {
            const bool lathe = r_.mode == PovMode::Lathe;
            const bool conic = r_.mode == PovMode::ConicPrism;
            const double w = lathe ? r_.offset : conic ? -r_.apex.x : 0;
            const double u = lathe ? r_.factor : 1;
            const double v = conic ? -r_.apex.y : 0;
            for (TCvCoord p : {s.a, s.h1, s.h2, s.b})
                appendPovVector(out_, {(p.x + w) * u, p.y + v}, r_.accuracy);
        }
        endLine();
    }

    // One array element in the chosen point form; the value text goes in as typed.
    void appendPoint(TCvCoord p) {
        out_ += '<';
        appendPovNumber(out_, p.x, r_.accuracy);
        out_ += ',';
        if (r_.pointForm == PointForm::XValueY) {
            out_ += r_.modifiers;
            out_ += ',';
        }
        appendPovNumber(out_, p.y, r_.accuracy);
        if (r_.pointForm == PointForm::XYValue) {
            out_ += ',';
            out_ += r_.modifiers;
        }
        out_ += '>';
    }

    // Poly lines hold five points a line.
    void putPolyPoint(TCvCoord p) {
        if (polyCount_++ % 5 == 0) {
            flushIfFull();
            out_ += "\r\n ";
        }
        appendPoint(p);
    }

    // The end anchor (the first of a closed path, the last of an open one) is where the walk
    // stopped: shared ends write it alone, a poly line of an open path ends on it.
    void endArray() {
        switch (r_.lineForm) {
        case LineForm::AllFour:
            break;
        case LineForm::SharedEnds:
            out_ += ' ';
            appendPoint(last_);
            out_ += "\r\n";
            break;
        case LineForm::PolyLine:
            if (!closed_) {
                out_ += "\r\n ";
                appendPoint(last_);
            }
            out_ += "\r\n";
            break;
        }
    }

    std::string& out_;
    std::ostream* stream_;
    const PovRequest& r_;
    int segments_ = 0;
    bool closed_ = false;
    int polyCount_ = 0;
    TCvCoord last_{};
};

void writePov(std::string& out, std::ostream* stream, const TCvLine& line,
              const PovRequest& request) {
    if (!PovHasText(line, request)) return;
    PovRequest r = request;
    r.accuracy = clampAccuracy(r.accuracy);
    if (r.mode == PovMode::SphereSweep || r.mode == PovMode::Sor) {
        appendShapeText(out, line, r, [&] {
            if (stream && out.size() >= (std::size_t{1} << 16)) {
                stream->write(out.data(), static_cast<std::streamsize>(out.size()));
                out.clear();
            }
        });
        return;
    }
    PovSink sink(out, stream, r);
    walkPath(line, sink);
}

} // namespace

bool PovHasText(const TCvLine& line, const PovRequest& request) {
    if (line.points.empty()) return false;
    return request.mode != PovMode::Array || arrayCount(line, request) > 0;
}

void appendPovText(std::string& out, const TCvLine& line, const PovRequest& request) {
    writePov(out, nullptr, line, request);
}

void streamPovText(std::ostream& stream, std::string& buffer, const TCvLine& line,
                   const PovRequest& request) {
    writePov(buffer, &stream, line, request);
}

} // namespace plumex

std::string PovText(const TCvLine& line, const plumex::PovRequest& request) {
    std::string out;
    plumex::appendPovText(out, line, request);
    return out;
}
