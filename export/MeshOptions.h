#pragma once
// What a mesh export is asked for, shared by the dialog and plumex-cli. Axes: x to the right
// and y up as in the drawing; a prism rises along z from 0 to its height, a lathe turns about
// a vertical axis (the POV-Ray lathe's axis, the drawing's y axis by default).

#include <string>

namespace plumex {

enum class MeshForm { Prism, Lathe };
enum class MeshFormat { Stl, Obj };

inline constexpr double DefaultToleranceShare = 0.001; // of the drawing's larger side
inline constexpr int DefaultLatheSegments = 128;
inline constexpr int MinLatheSegments = 3;
inline constexpr int MaxLatheSegments = 4096;

struct MeshOptions {
    MeshForm form = MeshForm::Prism;
    double height = 1;    // prism: top minus bottom, drawing units
    double tolerance = 0; // drawing units; 0: DefaultToleranceShare of the drawing's size
    int segments = DefaultLatheSegments; // lathe: pieces of the full turn
    double mmPerUnit = 1;                // every coordinate is multiplied by it
};

// The prism dialog's default height (its Top minus its Bottom).
double defaultPrismHeight();

// The format a file name asks for: ".stl" or ".obj" in any case; false for anything else.
bool meshFormatOf(const std::string& fileName, MeshFormat& format);

} // namespace plumex
