#pragma once
// The settings that travel with a document file besides its paths.

#include "model/Coord.h"

#include <string>
#include <vector>

namespace plumex {

// The background picture's file and placement; an empty file name means no draft.
struct DraftReference {
    std::string fileName; // bytes kept unchanged
    TCvCoord position;    // model position of the picture's top-left corner
    double factor = 1.0;  // drawing units per picture pixel

    friend bool operator==(const DraftReference&, const DraftReference&) = default;
};

struct DocumentSettings {
    double scale = 100.0;                 // pixels per drawing unit
    TCvCoord viewCentre;                  // model point at the centre of the visible area
    std::vector<double> verticalGuides;   // x positions
    std::vector<double> horizontalGuides; // y positions
    DraftReference draft;

    friend bool operator==(const DocumentSettings&, const DocumentSettings&) = default;
};

} // namespace plumex
