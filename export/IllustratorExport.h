#pragma once
// The Illustrator 88 (EPSF) text of a whole drawing: every path, whatever its state, one
// drawing unit to `scale` points, framed with a 10-point margin.

#include "model/Path.h"
#include "model/Rect.h"

#include <iosfwd>
#include <stdexcept>
#include <string>
#include <vector>

namespace plumex {

struct IllustratorHeader {
    std::string owner;        // no "%%For" line when empty
    std::string organization; // added to the For line when not empty
    std::string title;        // the file's name without its folder
    int year = 1970, month = 1, day = 1, hour = 0, minute = 0;
};

// The header for `fileName` now: the user's full name and the local date and time.
IllustratorHeader illustratorHeaderFor(const std::string& fileName);

// A scale that is not a positive finite number, or a drawing whose frame at this scale lies
// beyond the integer range of the bounding box.
class IllustratorRangeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The whole file's text. `bounds` are the content bounds (see contentBounds). Paths without
// anchors write nothing; an open one-anchor path writes its move and "S", a closed one its
// move, its one segment back onto the anchor and "s". Throws IllustratorRangeError.
std::string IllustratorText(const std::vector<TCvLine>& lines, double scale, const TCvRect& bounds,
                            const IllustratorHeader& header);

// Streams the same text; throws IllustratorRangeError before writing anything.
void WriteIllustrator(std::ostream& out, const std::vector<TCvLine>& lines, double scale,
                      const TCvRect& bounds, const IllustratorHeader& header);

// Streams the file through a temporary file and a rename. On failure answers false with the
// reason in `error`; the previous file is untouched then.
bool ExportIllustrator(const std::string& fileName, const std::vector<TCvLine>& lines, double scale,
                       const TCvRect& bounds, std::string* error = nullptr);

} // namespace plumex
