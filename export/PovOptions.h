#pragma once
// What the two POV-Ray export dialogs hold, without the dialogs: every field with its
// default, kept for the whole run so the dialogs and the command-line tool share one state.

#include "export/PovText.h"

#include <string>
#include <string_view>

namespace plumex {

enum class PovDeclaration { Direct, Declare, Local };
enum class LatheAxis { YAxis, LeftOfSelection, RightOfSelection };

// Left and right edge of the selection as the lathe axis rule sees them.
struct LatheEdges {
    double left = 0;
    double right = 0;
};

// The fields of TPOVDlg (prism and lathe).
struct PovDlgState {
    PovDeclaration declaration = PovDeclaration::Direct;
    std::string prismName = "Prism"; // remembered name of each mode
    std::string latheName = "Lathe";
    std::string conicName = "ConicPrism";
    std::string sweepName = "SphereSweep";
    std::string sorName = "Sor";
    LatheAxis axis = LatheAxis::YAxis;
    bool yAxisEnabled = true;
    std::string bottom = "0";
    std::string top = "1";
    std::string modifiers = "pigment {color rgb 1}"; // memo text, several lines allowed
    std::string accuracy = "15";
    // Conic prism: the point of the drawing the outline narrows to; Bottom and Top are the
    // heights of the outline and of the apex.
    std::string apexX = "0";
    std::string apexY = "0";
    // Sphere sweep.
    SweepSpline spline = SweepSpline::Linear;
    std::string radius = "0.1";
    std::string tolerance; // empty: a thousandth of each path's size

    std::string& rememberedName(PovMode mode);
    const std::string& rememberedName(PovMode mode) const;
    // What the dialog does when it opens: the axis rule for the selection's edges.
    void prepareLathe(LatheEdges edges);
    // On OK: a non-empty edited name becomes the mode's remembered name.
    void acceptName(PovMode mode, std::string_view edited);
    PovRequest request(PovMode mode, LatheEdges edges) const;

    friend bool operator==(const PovDlgState&, const PovDlgState&) = default;
};

// The fields of TPOVArrayDlg.
struct PovArrayDlgState {
    std::string name = "Points";
    bool local = false; // #local instead of #declare
    LineForm lineForm = LineForm::AllFour;
    std::string divideCount = "50";
    PointForm pointForm = PointForm::XY;
    std::string value = "0";
    std::string accuracy = "15";

    PovRequest request() const;
};

// The whole text read as a decimal integer; `fallback` when it is not one.
int parseIntegerField(std::string_view text, int fallback);

// Whether the mode turns a profile about the y axis, so that the lathe's axis rule applies.
bool turnsAboutAxis(PovMode mode);

// The lathe's axis when the Y axis cannot be used because the selection straddles x = 0.
LatheAxis effectiveAxis(LatheAxis chosen, LatheEdges edges);

} // namespace plumex
