#pragma once
// What POV-Ray 3.7 will refuse, drop or draw differently in an export, found before exporting.

#include "export/PovOptions.h"

#include <string>
#include <vector>

namespace plumex {

// Refuse: POV-Ray stops with an error, or the object is left out of the picture (dropped with
// a warning, empty, or never written). Warn: it renders, but not as drawn. Hint: harmless to
// POV-Ray, probably not what was meant.
enum class PovSeverity { Refuse, Warn, Hint };

enum class PovCheckRule {
    SingleAnchor,      // one anchor: an object without segments
    PrismOpen,         // "Prism not closed. Ignoring it."
    PrismNoArea,       // every anchor on one straight line: a wall without inside
    LatheLeftOfAxis,   // "Incorrect point in lathe."
    LatheNearAxis,     // a radius that is almost but not quite zero
    NumberTooLong,     // a number text past POV-Ray's token length: "String too long."
    EmptyArray,        // array[0] is refused, so the export leaves the path out
    ZeroLengthSegment, // anchor, both handles and the next anchor in one place
    CoincidentAnchors, // two neighbouring anchors in one place, joined by a loop
    UnmergedHole,      // a closed path inside another that a prism would fill
    ConicFlat,         // bottom and top alike: "Scale Y by 0.0. Changed to 1.0."
    SweepRadius,       // a sphere sweep of radius 0 or less shows nothing
    SorNotRising,      // "Incorrect point in surface of revolution."
    SorClosed,         // a surface of revolution leaves a closed path's last segment out
};

struct PovFinding {
    PovSeverity severity = PovSeverity::Hint;
    PovCheckRule rule = PovCheckRule::SingleAnchor;
    int path = 0;         // 1-based position in the selection, as the export numbers it
    std::string pathName; // the path's own name, may be empty
    int anchor = 0;       // 1-based; 0 when the finding is about the whole path
    std::string message;  // what is wrong and what to do, in words
};

// Findings for the paths in selection order, each path's findings in anchor order. The values
// are judged as the export writes them (after rounding to the accuracy and the lathe's axis).
std::vector<PovFinding> PovCheck(const std::vector<TCvLine>& selection, const PovRequest& request);

// The check of the run the dialogs would make (see PovExportText).
std::vector<PovFinding> PovCheck(const std::vector<TCvLine>& selection, PovMode mode,
                                 const PovDlgState& dlg, const PovArrayDlgState& arrayDlg);

// Some finding means POV-Ray would refuse or drop part of the export.
bool PovCheckRefuses(const std::vector<PovFinding>& findings);

const char* severityName(PovSeverity severity); // "refuse", "warn", "hint"
const char* ruleName(PovCheckRule rule);        // a stable identifier such as "prism-open"

// "path 2 \"Ring\", anchor 3: <message>"
std::string describeFinding(const PovFinding& finding);

// POV-Ray reads numbers of at most this many characters (its token buffer).
inline constexpr std::size_t PovMaxNumberLength = 255;

} // namespace plumex
