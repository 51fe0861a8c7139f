#pragma once
// The logic shared by the numeric transform dialogs: the nine-point reference picker, number
// text, the reset buttons and the origin choice of expand, rotate and shear.

#include "commands/TransformRequests.h"

#include <optional>
#include <string>
#include <string_view>

namespace plumex {

// Picker item i: column i / 3 picks x (left, centre, right), row i % 3 picks y (top,
// middle, bottom). Item 4, the centre, is the start.
inline constexpr int PickerCentre = 4;
TCvCoord pickedPoint(const TCvRect& r, int item);

// General decimal form with up to 15 significant digits ("2", "0.1", "1e-20").
std::string formatValue(double v);
// A finite decimal number, surrounding blanks allowed; nullopt for anything else.
std::optional<double> parseValue(std::string_view text);
// Text a user is still typing towards a number ("", "-", "."): no error yet.
bool isUnfinishedNumber(std::string_view text);
// Expand, rotate and shear read text that is not a number as 0.
double valueOrZero(std::string_view text);
// A reset button rewrites its edit unless the edit already holds the reset value.
bool resetRewrites(std::string_view text, double resetValue);

// Where expand, rotate and shear transform about: 0 the pivot ("Marker"), 1 the picked point
// of the selection bounds, 3 the picked point with the mode buttons hidden, which is the only
// choice while a tool other than the object tool is current.
enum OriginMode : int { OriginPivot = 0, OriginPicked = 1, OriginPickerOnly = 3 };

class OriginChoice {
public:
    // Mode 3 for other tools; the object tool brings a dialog left in mode 3 back to mode 0.
    void open(bool objectTool);
    int mode() const { return mode_; }
    void setMode(int mode);
    int item() const { return item_; }
    void pick(int item);
    bool pickerEnabled() const { return mode_ != OriginPivot; }
    TCvCoord origin(const OriginRequest& request) const;

private:
    int mode_ = OriginPivot;
    int item_ = PickerCentre;
};

// The shear direction after the object tool's preset; Keep leaves the last choice.
bool shearVertical(bool lastVertical, ShearPreset preset);

} // namespace plumex
