#pragma once
// The move dialog's logic: its layout, the offset it keeps from one use to the next, and the
// Relative and Absolute views of that offset.

#include "commands/InputDialogState.h"

namespace plumex {

// A given anchor or a single selected anchor: one reference point, mode buttons only. Several
// anchors in anchor mode: relative only. Otherwise the mode buttons and the picker.
MoveLayout moveLayout(bool anchorGiven, int selectedAnchors, bool anchorMode);
// Dialog widths of the three layouts, in pixels.
int moveDialogWidth(MoveLayout layout);

class MoveDialogState {
public:
    // Every opening starts in Relative mode against the new reference.
    void open(const TCvRect& reference);
    bool absolute() const { return absolute_; }
    void setAbsolute(bool on) { absolute_ = on; }
    int item() const { return item_; }
    void pick(int item);
    TCvCoord offset() const { return offset_; }
    TCvCoord pickedReference() const { return pickedPoint(reference_, item_); }

    // What the two edits show: the offset, or in Absolute mode the point it moves the picked
    // reference point to.
    std::string textX() const;
    std::string textY() const;
    // Both edits as typed; false (offset kept) when either is not a number.
    bool edit(std::string_view x, std::string_view y);

private:
    TCvRect reference_;
    TCvCoord offset_;
    int item_ = PickerCentre;
    bool absolute_ = false;
};

} // namespace plumex
