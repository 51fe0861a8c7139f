#pragma once
// Number, vector and line texts of the POV-Ray export.

#include "model/Coord.h"

#include <string>
#include <string_view>

namespace plumex {

// Accuracies outside 0..20 are taken as the nearest end of that range.
int clampAccuracy(int accuracy);

// Appends FormatPovNumber(value, accuracy) to `out` without a temporary string.
void appendPovNumber(std::string& out, double value, int accuracy);

// Appends "<x,y>".
void appendPovVector(std::string& out, TCvCoord p, int accuracy);

} // namespace plumex

// Fixed notation with `accuracy` decimals exactly as "%.*f" rounds, then trailing zeros and a
// trailing point cut; a result of negative zero is written "0".
std::string FormatPovNumber(double value, int accuracy);

// "<x,y>" with no blanks.
std::string FormatPovVector(TCvCoord p, int accuracy);

// Trims blanks and control characters at both ends, drops trailing empty lines and writes every
// line as prefix + line + suffix + CR LF. Empty input gives an empty text.
std::string IndentLines(std::string_view text, std::string_view prefix = " ",
                        std::string_view suffix = "");
