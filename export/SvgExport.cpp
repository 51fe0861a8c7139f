#include "export/SvgExport.h"

#include "export/PathSink.h"
#include "model/FileBytes.h"

#include <charconv>
#include <cmath>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <system_error>

namespace plumex {
namespace {

constexpr double PixelsPerUnit = 100;
// Stroke width of open paths in pixels; also the margin around the bounds.
constexpr double StrokeWidth = 1;

// Coordinates near the double limit overflow when scaled to pixels; such a file would not read
// back, so it is refused.
void appendNumber(std::string& out, double v) {
    if (!std::isfinite(v)) throw std::domain_error("A coordinate is too large for SVG");
    if (v == 0) v = 0; // no "-0"
    // The shortest fixed-point text that reads back as the same double: some readers of SVG
    // do not take exponents.
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
    out.append(buf, r.ptr);
}

class SvgPathWriter : public PathSink {
public:
    explicit SvgPathWriter(std::string& out) : out_(out) {}

    void moveTo(const TCvPoint& start) override { command('M', {start.anchor}); }
    void lineTo(const Segment&, const TCvPoint& end) override { command('L', {end.anchor}); }
    void cubicTo(const Segment& s, const TCvPoint& end) override {
        command('C', {s.h1, s.h2, end.anchor});
    }
    void closePath() override { out_ += " Z"; }

private:
    void command(char c, std::initializer_list<TCvCoord> points) {
        if (!out_.empty()) out_ += ' ';
        out_ += c;
        for (TCvCoord p : points) {
            out_ += ' ';
            appendNumber(out_, p.x * PixelsPerUnit);
            out_ += ' ';
            appendNumber(out_, -p.y * PixelsPerUnit);
        }
    }

    std::string& out_;
};

// Every number the document will hold, checked before the first byte is written, so a refused
// drawing leaves no partial document behind in a stream.
void checkPixels(const std::vector<TCvLine>& paths) {
    const auto fits = [](TCvCoord p) {
        return std::isfinite(p.x * PixelsPerUnit) && std::isfinite(p.y * PixelsPerUnit);
    };
    for (const TCvLine& path : paths)
        for (const TCvPoint& p : path.points)
            if (!fits(p.anchor) || !fits(p.inHandle) || !fits(p.outHandle))
                throw std::domain_error("A coordinate is too large for SVG");
}

} // namespace

std::string SvgPathData(const TCvLine& path) {
    std::string d;
    SvgPathWriter writer(d);
    walkPath(path, writer);
    return d;
}

void WriteSvg(std::ostream& out, const std::vector<TCvLine>& paths) {
    checkPixels(paths);
    TCvRect bounds;
    bool any = false;
    for (const TCvLine& p : paths) {
        if (p.points.empty()) continue;
        if (!any)
            bounds = p.GetBounds();
        else
            p.ExtendBounds(bounds);
        any = true;
    }
    // In pixels, y down; the margin keeps strokes and single points inside.
    const double left = any ? bounds.left * PixelsPerUnit - StrokeWidth : 0;
    const double top = any ? -bounds.top * PixelsPerUnit - StrokeWidth : 0;
    const double width = any ? (bounds.right - bounds.left) * PixelsPerUnit + 2 * StrokeWidth : 1;
    const double height = any ? (bounds.top - bounds.bottom) * PixelsPerUnit + 2 * StrokeWidth : 1;

    std::string head = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
                       "<!-- Created with Plumex -->\n"
                       "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"";
    appendNumber(head, width);
    head += "\" height=\"";
    appendNumber(head, height);
    head += "\" viewBox=\"";
    appendNumber(head, left);
    head += ' ';
    appendNumber(head, top);
    head += ' ';
    appendNumber(head, width);
    head += ' ';
    appendNumber(head, height);
    head += "\">\n";
    out << head;
    for (const TCvLine& p : paths) {
        if (p.points.empty()) continue;
        out << "<path d=\"" << SvgPathData(p) << "\" "
            << (p.closed ? "fill=\"black\" fill-rule=\"evenodd\" stroke=\"none\"/>\n"
                         : "fill=\"none\" stroke=\"black\" stroke-width=\"1\"/>\n");
    }
    out << "</svg>\n";
}

std::string SvgExportText(const std::vector<TCvLine>& paths) {
    std::ostringstream out;
    WriteSvg(out, paths);
    return std::move(out).str();
}

bool SvgExportFile(const std::string& fileName, const std::vector<TCvLine>& paths,
                   std::string* error) {
    try {
        writeFileAtomically(fileName, [&](std::ostream& out) { WriteSvg(out, paths); });
        return true;
    } catch (const std::system_error& e) {
        if (error) *error = e.what();
    } catch (const std::domain_error& e) {
        if (error) *error = e.what();
    }
    return false;
}

} // namespace plumex
