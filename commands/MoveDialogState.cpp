#include "commands/MoveDialogState.h"

namespace plumex {

MoveLayout moveLayout(bool anchorGiven, int selectedAnchors, bool anchorMode) {
    if (anchorGiven || selectedAnchors == 1) return MoveLayout::Point;
    if (anchorMode) return MoveLayout::RelativeOnly;
    return MoveLayout::Full;
}

int moveDialogWidth(MoveLayout layout) {
    switch (layout) {
    case MoveLayout::Point:
        return 293;
    case MoveLayout::RelativeOnly:
        return 232;
    case MoveLayout::Full:
        break;
    }
    return 367;
}

void MoveDialogState::open(const TCvRect& reference) {
    reference_ = reference;
    absolute_ = false;
}

void MoveDialogState::pick(int item) {
    if (item >= 0 && item <= 8) item_ = item;
}

std::string MoveDialogState::textX() const {
    return formatValue(absolute_ ? offset_.x + pickedReference().x : offset_.x);
}

std::string MoveDialogState::textY() const {
    return formatValue(absolute_ ? offset_.y + pickedReference().y : offset_.y);
}

bool MoveDialogState::edit(std::string_view x, std::string_view y) {
    const std::optional<double> vx = parseValue(x);
    const std::optional<double> vy = parseValue(y);
    if (!vx || !vy) return false;
    const TCvCoord typed{*vx, *vy};
    offset_ = absolute_ ? subtract(typed, pickedReference()) : typed;
    return true;
}

} // namespace plumex
