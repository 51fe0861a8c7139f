#pragma once
// What the bitmap export dialog holds while the program runs, and the texts it shows.

#include "export/BitmapExport.h"

#include <string>
#include <string_view>

namespace plumex {

struct ExportBmpState {
    double objectWidth = 0, objectHeight = 0; // the content bounds' size, set on every opening
    double scale = 100.0;                     // output pixels per drawing unit
    int margin = 10;                          // output pixels on every side
    BitmapMode mode = BitmapMode::GreyScale;

    // A positive decimal number becomes the scale; anything else leaves it (a scale of zero
    // or below would mirror the drawing out of the picture).
    bool setScaleText(std::string_view text);
    // A decimal number, truncated, from 0 up becomes the margin; anything else leaves it.
    bool setMarginText(std::string_view text);

    BitmapSize outputSize() const;
    std::string objectSizeText() const; // "%.2f X %.2f"
    std::string outputSizeText() const; // "W X H"
    std::string fileSizeText() const;   // the estimate, thousands separated

    BitmapRequest request(const TCvRect& bounds) const;
};

// A number rounded to a whole one with "," between groups of three digits: 15478 as "15,478".
std::string formatThousands(double value);

} // namespace plumex
