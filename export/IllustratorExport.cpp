#include "export/IllustratorExport.h"

#include "export/OwnerInfo.h"
#include "export/PathSink.h"
#include "model/FileBytes.h"
#include "model/Segment.h"

#include <charconv>
#include <cmath>
#include <ctime>
#include <new>
#include <ostream>
#include <sstream>
#include <system_error>

namespace plumex {
namespace {

// Text inside a DSC "( )" string: parentheses and backslashes escaped, control characters
// (a newline in a file name would start a comment line of its own) written in octal.
std::string dscText(const std::string& text) {
    std::string out;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '(' || c == ')' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 0x20 || c == 0x7f) {
            const char octal[] = {'\\', static_cast<char>('0' + (c >> 6)),
                                  static_cast<char>('0' + ((c >> 3) & 7)),
                                  static_cast<char>('0' + (c & 7))};
            out.append(octal, sizeof octal);
        } else {
            out += ch;
        }
    }
    return out;
}

void appendInt(std::string& out, long long v) {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

void appendTwoDigits(std::string& out, int v) {
    if (v >= 0 && v < 10) out += '0';
    appendInt(out, v);
}

// The frame at the file's scale: offsets and the upper-right corner, all integers.
struct Frame {
    double scale, offX, offY;
    long long urx, ury;
};

long long checkedInt(double v) {
    // The bounding box is written as 32-bit integers by every reader of these files.
    if (!(std::fabs(v) <= 2147483647.0))
        throw IllustratorRangeError("The drawing is too large to export at this scale");
    return static_cast<long long>(v);
}

Frame frameOf(const TCvRect& b, double s) {
    if (!(s > 0) || !std::isfinite(s))
        throw IllustratorRangeError("The export scale must be a positive number");
    Frame f{s, 0, 0, 0, 0};
    f.offX = static_cast<double>(checkedInt(std::trunc(-b.left * s)) + 10);
    f.offY = static_cast<double>(checkedInt(std::trunc(-b.bottom * s)) + 10);
    f.urx = checkedInt(std::trunc(b.right * s + f.offX + 1));
    f.ury = checkedInt(std::trunc(b.top * s + f.offY + 1));
    return f;
}

class IllustratorSink : public PathSink {
public:
    IllustratorSink(std::string& out, const Frame& f) : out_(out), f_(f) {}

    void moveTo(const TCvPoint& start) override {
        point(start.anchor);
        out_ += "m\r\n";
    }
    void lineTo(const Segment& s, const TCvPoint& end) override { curve(s, end); }
    void cubicTo(const Segment& s, const TCvPoint& end) override { curve(s, end); }
    void closePath() override { closed_ = true; }
    void beginPath(const TCvLine& path) override {
        closed_ = false;
        empty_ = path.points.empty();
    }
    void endPath() override {
        if (!empty_) out_ += closed_ ? "s\r\n" : "S\r\n";
    }

private:
    void number(double v) {
        char buf[64];
        const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 4);
        out_.append(buf, r.ptr);
        out_ += ' ';
    }
    void point(TCvCoord p) {
        number(p.x * f_.scale + f_.offX);
        number(p.y * f_.scale + f_.offY);
    }
    // Retracted handles are left out: "l" both, "v" the first, "y" the second. The case tells
    // whether the end anchor is smooth.
    void curve(const Segment& s, const TCvPoint& end) {
        const bool firstOut = !equal(s.h1, s.a);
        const bool secondOut = !equal(s.h2, s.b);
        char op = 'c';
        if (!firstOut && !secondOut) {
            op = 'l';
        } else if (!firstOut) {
            op = 'v';
            point(s.h2);
        } else if (!secondOut) {
            op = 'y';
            point(s.h1);
        } else {
            point(s.h1);
            point(s.h2);
        }
        point(s.b);
        if (!isSmooth(end.inHandle, end.anchor, end.outHandle)) op = static_cast<char>(op - 32);
        out_ += op;
        out_ += "\r\n";
    }

    std::string& out_;
    const Frame& f_;
    bool closed_ = false;
    bool empty_ = true;
};

void appendHeader(std::string& out, const IllustratorHeader& h, const Frame& f) {
    out += "%!PS-Adobe-2.0 EPSF-1.2\r\n%%Creator: Adobe Illustrator(TM) for Windows, version "
           "4.0\r\n";
    if (!h.owner.empty()) {
        out += "%%For: (" + dscText(h.owner) + ")";
        if (!h.organization.empty()) out += " (" + dscText(h.organization) + ")";
        out += "\r\n";
    }
    out += "%%Title: (" + dscText(h.title) + ")\r\n%%CreationDate: (";
    appendInt(out, h.year);
    out += '.';
    appendInt(out, h.month);
    out += '.';
    appendInt(out, h.day);
    out += ") (";
    appendTwoDigits(out, h.hour);
    out += ':';
    appendTwoDigits(out, h.minute);
    out += ")\r\n";
    for (const char* box : {"%%BoundingBox: 9 9 ", "%%TemplateBox: 9 9 "}) {
        out += box;
        appendInt(out, f.urx);
        out += ' ';
        appendInt(out, f.ury);
        out += "\r\n";
    }
    out += "%%EndComments\r\n%%BeginProlog\r\n%%EndProlog\r\n%%BeginSetup\r\n%%EndSetup\r\n"
           "0 0 0 1 K\r\n0 J 0 j 1 w 4 M []0 d\r\n";
}

} // namespace

IllustratorHeader illustratorHeaderFor(const std::string& fileName) {
    IllustratorHeader h;
    const OwnerInfo owner = RegisteredOwnerInfo();
    h.owner = owner.owner;
    h.organization = owner.organization;
    const std::size_t slash = fileName.find_last_of('/');
    h.title = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (::localtime_r(&now, &local)) {
        h.year = local.tm_year + 1900;
        h.month = local.tm_mon + 1;
        h.day = local.tm_mday;
        h.hour = local.tm_hour;
        h.minute = local.tm_min;
    }
    return h;
}

void WriteIllustrator(std::ostream& out, const std::vector<TCvLine>& lines, double scale,
                      const TCvRect& bounds, const IllustratorHeader& header) {
    const Frame f = frameOf(bounds, scale);
    // The text is made in a piece of memory that is handed on whenever it fills.
    constexpr std::size_t Piece = std::size_t{1} << 16;
    std::string buffer;
    buffer.reserve(2 * Piece);
    const auto handOn = [&] {
        out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        buffer.clear();
    };
    appendHeader(buffer, header, f);
    IllustratorSink sink(buffer, f);
    for (const TCvLine& line : lines) {
        walkPath(line, sink);
        if (buffer.size() >= Piece) handOn();
    }
    buffer += "%%Trailer\r\n%%EOF\r\n";
    handOn();
}

std::string IllustratorText(const std::vector<TCvLine>& lines, double scale, const TCvRect& bounds,
                            const IllustratorHeader& header) {
    std::ostringstream out;
    WriteIllustrator(out, lines, scale, bounds, header);
    return std::move(out).str();
}

bool ExportIllustrator(const std::string& fileName, const std::vector<TCvLine>& lines, double scale,
                       const TCvRect& bounds, std::string* error) {
    if (fileName.empty()) return false;
    try {
        const IllustratorHeader header = illustratorHeaderFor(fileName);
        writeFileAtomically(fileName, [&](std::ostream& out) {
            WriteIllustrator(out, lines, scale, bounds, header);
        });
        return true;
    } catch (const std::bad_alloc&) {
        if (error) *error = "Out of memory";
    } catch (const std::exception& e) { // the file system's errors and IllustratorRangeError
        if (error) *error = e.what();
    }
    return false;
}

} // namespace plumex
