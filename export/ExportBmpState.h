#pragma once
// What the bitmap export dialog holds while the program runs, and the texts it shows.

#include "export/BitmapExport.h"

#include <optional>
#include <string>
#include <string_view>

namespace plumex {

// Why the dialog cannot export as it stands; the first one found is named.
enum class BmpRefusal { None, Scale, Margin, Size };

struct ExportBmpState {
    double objectWidth = 0, objectHeight = 0; // the content bounds' size, set on every opening
    double scale = 100.0;                     // output pixels per drawing unit
    int margin = 10;                          // output pixels on every side
    BitmapMode mode = BitmapMode::GreyScale;
    // The last text typed was refused: the value above is an older one, not what the field shows.
    bool scaleRefused = false, marginRefused = false;

    // A positive decimal number becomes the scale; anything else leaves it (a scale of zero
    // or below would mirror the drawing out of the picture) and marks the text refused.
    bool setScaleText(std::string_view text);
    // A decimal number, truncated, from 0 up becomes the margin; anything else leaves it and
    // marks the text refused.
    bool setMarginText(std::string_view text);

    // None when OK can export: both texts taken and a bitmap file can hold the output size.
    BmpRefusal refusal() const;

    BitmapSize outputSize() const;      // 0 X 0 when the size is beyond 64 bits
    std::string objectSizeText() const; // "%.2f X %.2f"
    std::string outputSizeText() const; // "W X H", empty when the size is beyond 64 bits
    std::string fileSizeText() const;   // the estimate, thousands separated; empty likewise

    BitmapRequest request(const TCvRect& bounds) const;

private:
    std::optional<BitmapSize> exactSize() const;
};

// A number rounded to a whole one with "," between groups of three digits: 15478 as "15,478".
std::string formatThousands(double value);

} // namespace plumex
