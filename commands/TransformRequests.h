#pragma once
// What the canvas hands to the transform dialogs and what they answer. The dialogs resolve
// their origin choice themselves, so an answer carries the point to transform about.

#include "commands/AlignCommands.h"
#include "model/Rect.h"

namespace plumex {

// How much of the move dialog shows: only the mode buttons (a single reference point), no
// mode panel at all (several anchors, relative only), or the mode buttons and the picker.
enum class MoveLayout { Point, RelativeOnly, Full };

struct MoveRequest {
    bool anchorMode = false; // titles the dialog "Move Anchors"
    TCvRect reference;       // a point when the move has an anchor as reference
    MoveLayout layout = MoveLayout::Full;
    bool canCopy = true; // the dialog offers its Copy button
};
struct MoveAnswer {
    TCvCoord offset;
    bool copy = false;
};

// Expand, rotate and shear: the origin is the pivot or a picked point of the bounds.
struct OriginRequest {
    bool objectTool = true; // other tools: the picker is the only origin choice
    TCvRect bounds;
    TCvCoord pivot;
};
struct ExpandAnswer {
    double fx = 1;
    double fy = 1;
    TCvCoord origin;
    bool copy = false;
};
struct RotateAnswer {
    double degrees = 0;
    TCvCoord origin;
    bool copy = false;
};

enum class ShearPreset { Keep, Horizontal, Vertical };
struct ShearRequest {
    OriginRequest origin;
    ShearPreset direction = ShearPreset::Keep;
};
struct ShearAnswer {
    double degrees = 0;
    bool vertical = false;
    TCvCoord origin;
    bool copy = false;
};

struct AlignRequest {
    bool anchorTitle = false; // "Align Anchors" rather than "Align Objects"
};
struct AlignAnswer {
    Align horizontal = Align::None;
    Align vertical = Align::None;
};

} // namespace plumex
