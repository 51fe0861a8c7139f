#pragma once
// The rules of the number fields of the size and grid dialogs, apart from the widgets.

#include "canvas/CanvasHost.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace plumex {

// Keystroke filter of the size fields: printable characters other than digits and "." are
// dropped; control characters pass.
bool sizeKeyAllowed(char32_t ch);

// The field's number; text that does not convert counts as 0.
double sizeFieldValue(std::string_view text);

// The dialog's result for the mode: mode 0 needs both values non-zero, the others the first.
std::optional<SizeAnswer> acceptSize(int mode, double width, double height);

// The grid fields read as a number and an integer; the error text when either does not
// convert or the step interval is below 1.
std::variant<GridSize, std::string> parseGridSize(std::string_view units, std::string_view knots);

} // namespace plumex
