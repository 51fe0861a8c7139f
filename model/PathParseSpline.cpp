// ParseSpline: reads the point groups of POV-Ray bezier_spline text into a path.
#include "model/Path.h"
#include "model/ReadError.h"

#include <array>
#include <charconv>
#include <cmath>

using namespace plumex;

namespace {

bool startsNumber(char c) {
    return (c >= '0' && c <= '9') || c == '.' || c == '-';
}

// An end anchor's unused handle mirrors its used one; near the double range it can overflow.
TCvCoord mirroredHandle(TCvCoord handle, TCvCoord anchor) {
    const TCvCoord m = mirror(handle, anchor);
    if (!std::isfinite(m.x) || !std::isfinite(m.y)) throw ReadError("ReadPoint::ReadError");
    return m;
}

class PointReader {
public:
    PointReader(std::string_view text, std::size_t limit) : text_(text), limit_(limit) {}

    // Position of the next "<" at or after `from`, or npos when none lies before the limit.
    std::size_t nextOpen(std::size_t from) const {
        const std::size_t p = text_.find('<', from);
        return p < limit_ ? p : std::string_view::npos;
    }

    // Reads "<x, y" at `at` (the "<"); `end` receives the position after the second number.
    TCvCoord read(std::size_t at, std::size_t& end) const {
        std::size_t pos = at + 1;
        skip(pos, false);
        const double x = number(pos);
        skip(pos, true);
        const double y = number(pos);
        end = pos;
        return {x, y};
    }

private:
    void skip(std::size_t& pos, bool commas) const {
        while (pos < limit_ && (text_[pos] == ' ' || text_[pos] == '\t' || text_[pos] == '\r' ||
                                text_[pos] == '\n' || (commas && text_[pos] == ',')))
            ++pos;
    }

    double number(std::size_t& pos) const {
        if (pos >= limit_ || !startsNumber(text_[pos])) throw ReadError("ReadPoint::ReadError");
        double v = 0;
        const char* first = text_.data() + pos;
        const auto [ptr, ec] = std::from_chars(first, text_.data() + limit_, v);
        if (ec == std::errc::invalid_argument) throw ReadError("ReadPoint::ReadError");
        // Out of range: from_chars leaves v alone; take the number's extent all the same.
        pos += static_cast<std::size_t>(ptr - first);
        // "-inf" and "-nan" parse too, but a point must be a finite number.
        if (ec == std::errc::result_out_of_range || !std::isfinite(v))
            throw ReadError("ReadPoint::ReadError");
        return v;
    }

    std::string_view text_;
    std::size_t limit_;
};

} // namespace

std::size_t TCvLine::ParseSpline(std::string_view text, std::size_t limit) {
    limit = std::min(limit, text.size());
    const PointReader reader(text, limit);
    std::size_t stop = limit;
    std::size_t open = reader.nextOpen(0);
    while (open != std::string_view::npos) {
        const std::size_t groupStart = open;
        std::array<TCvCoord, 4> q;
        int got = 0;
        std::size_t end = open;
        for (; got < 4 && open != std::string_view::npos; ++got) {
            q[static_cast<std::size_t>(got)] = reader.read(open, end);
            open = reader.nextOpen(end);
        }
        if (got < 4) break;
        if (points.empty()) {
            points.emplace_back(q[0], mirroredHandle(q[1], q[0]), q[1]);
        } else if (!equal(points.back().anchor, q[0])) {
            stop = groupStart;
            break;
        } else {
            points.back().outHandle = q[1];
            points.back().updateIndependent();
        }
        points.emplace_back(q[3], q[2], q[3]);
    }
    if (points.size() > 1 && equal(points.back().anchor, points.front().anchor)) {
        points.front().inHandle = points.back().inHandle;
        points.front().updateIndependent();
        points.pop_back();
        closed = 1;
    } else if (!points.empty()) {
        TCvPoint& last = points.back();
        last.outHandle = mirroredHandle(last.inHandle, last.anchor);
        last.updateIndependent();
    }
    return stop;
}
