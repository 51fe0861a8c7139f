#pragma once
// Linear transforms of the selection: expand, flip, shear and rotate, and the presets that
// move, scale and turn it at once. Each records one undo step when it changes the drawing.

#include "model/Document.h"

namespace plumex {

// Images of the unit axes for a turn by `angle` radians, positive clockwise (y up). Whole
// quarter turns come out exact.
struct Axes {
    TCvCoord x;
    TCvCoord y;
};
Axes rotationAxes(double angle);

// Copies of the selected paths mapped about `centre` and appended at the end as the new
// selection; the sources are deleted, or kept deselected when `copy` is set. The pivot is
// mapped too. Records no undo step: callers record first.
void TransformSelection(TCvDocument& doc, TCvCoord xAxis, TCvCoord yAxis, TCvCoord centre,
                        bool copy);
// Turns the selected paths in place; with `copy` their untransformed copies are appended
// deselected. The pivot stays. Records no undo step.
void RotateSelection(TCvDocument& doc, double angle, TCvCoord centre, bool copy);

// The preset moves: the selection's centre, or its lower-left corner with `toCorner`, to the
// origin. The pivot follows only in object mode.
bool MoveToOrigin(TCvDocument& doc, bool toCorner, bool objectMode, int penPath = -1);

enum class ExpandPreset { DoubleSize, HalfSize, HeightToOne, WidthToOne };
bool ExpandByPreset(TCvDocument& doc, ExpandPreset preset, int penPath = -1);

// Factors of 0 do nothing.
bool ExpandSelection(TCvDocument& doc, double fx, double fy, TCvCoord origin, bool copy,
                     int penPath = -1);
// Quarter turns: left passes +90 degrees, right -90. The centre is the pivot in object mode,
// else the centre of the selection.
bool RotateByPreset(TCvDocument& doc, bool left, bool objectMode, int penPath = -1);
// An angle in degrees; 0 does nothing.
bool RotateSelectionBy(TCvDocument& doc, double degrees, TCvCoord origin, bool copy,
                       int penPath = -1);
// Mirrors left to right (`horizontal`) or top to bottom about the selection's centre.
// Left to right (about a vertical line) or top to bottom.
enum class FlipAxis { Horizontal, Vertical };
bool Flip(TCvDocument& doc, FlipAxis axis, int penPath = -1);

// Whether a shear angle (degrees, truncated) can be applied; 90 and beyond are refused.
bool shearAngleAccepted(double degrees);
// Horizontal shear moves x by tan(angle) * (y - origin.y); vertical moves y by
// -tan(angle) * (x - origin.x). An angle of 0, or one that truncates past 89, does nothing.
bool ShearSelection(TCvDocument& doc, double degrees, bool vertical, TCvCoord origin, bool copy,
                    int penPath = -1);

} // namespace plumex
