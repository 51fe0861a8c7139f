#pragma once
// The POV-Ray text of one path: a prism, a lathe or an array of points.

#include "model/Path.h"

#include <iosfwd>
#include <string>

namespace plumex {

// The numbers are the menu items' tags.
enum class PovMode { Prism = 0, Lathe = 1, Array = 2, ConicPrism = 3, SphereSweep = 4, Sor = 5 };
// How a sphere sweep runs: through the anchors (b_spline, cubic_spline) or along the curve
// flattened into straight pieces (linear_spline).
enum class SweepSpline { Linear = 0, BSpline = 1, Cubic = 2 };
enum class LineForm { AllFour = 0, SharedEnds = 1, PolyLine = 2 };
enum class PointForm { XY = 0, XYValue = 1, XValueY = 2 };

// What the export run hands over for each path.
struct PovRequest {
    PovMode mode = PovMode::Prism;
    int accuracy = 15;     // decimals; clamped to 0..20
    std::string name;      // declaration head such as "#declare Prism", may be empty
    std::string sweep;     // prism: "bottom,top"
    std::string modifiers; // prism and lathe: indented modifier lines; array: the value text
    double offset = 0;     // lathe: W, added to every x before scaling
    double factor = 1;     // lathe: U, +1 or -1
    LineForm lineForm = LineForm::AllFour;
    PointForm pointForm = PointForm::XY;
    int divideCount = 50; // pieces per curved segment of a poly line; clamped to 0..Max
    // Conic prism: the outline lies at height `bottom`, the apex at `top` above `apex`.
    std::string bottom = "0", top = "1"; // as typed; numbers are written as numbers
    TCvCoord apex{};
    // Sphere sweep: the radius as typed, and the largest distance of the flattened curve from
    // the true one (0: a thousandth of the path's size).
    SweepSpline spline = SweepSpline::Linear;
    std::string radius = "0.1";
    double tolerance = 0;
};

// Finer division adds nothing visible; the cap keeps the text and its array size bounded.
inline constexpr int MaxDivideCount = 10000;

// Whether PovText gives anything for this path: a path without anchors gives nothing, and
// neither does an array that would hold no vector (POV-Ray refuses array[0]).
bool PovHasText(const TCvLine& line, const PovRequest& request);

// Appends the text of one object; nothing when PovHasText is false.
void appendPovText(std::string& out, const TCvLine& line, const PovRequest& request);

// Appends the text of one object to `buffer`, handing `buffer` on to `stream` (and emptying
// it) whenever it has grown past 64 KiB at the end of a line. What is left stays in `buffer`
// for the caller to write.
void streamPovText(std::ostream& stream, std::string& buffer, const TCvLine& line,
                   const PovRequest& request);

} // namespace plumex

// The text of one object for `line` (see appendPovText).
std::string PovText(const TCvLine& line, const plumex::PovRequest& request);
