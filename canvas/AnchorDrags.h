#pragma once
// The anchor point tool's Ctrl press on a segment (state 2): a click inserts an anchor there,
// a drag duplicates the selected anchors and moves the copies. And its rubber band's ending.

#include "canvas/Drag.h"
#include "canvas/HitTest.h"
#include "canvas/MoveDrag.h"
#include "model/Document.h"

#include <optional>

namespace plumex {

class AnchorCopyDrag : public Drag {
public:
    explicit AnchorCopyDrag(const PathHit& segment) : segment_(segment) {}

    DragKind state() const override { return move_ ? move_->state() : DragKind::CopyPress; }
    bool searchesAnchors() const override { return !move_ || move_->searchesAnchors(); }
    void move(TCvWindow& window, const MouseEvent& e) override;
    bool press(TCvWindow& window, const MouseEvent& e) override;
    void release(TCvWindow& window, const MouseEvent& e) override;
    void cancel(TCvWindow& window) override;

private:
    void insertAnchor(TCvWindow& window);

    PathHit segment_;
    std::optional<MoveDrag> move_;
};

// Copies of the selected anchors as new fully selected paths on top, the rest deselected:
// each run of selected anchors becomes an open path; a wholly selected path is copied whole.
void duplicateSelectedAnchors(TCvDocument& doc);

enum class SelectMode;
// Replace starts from an empty selection; every anchor of a visible, unlocked path inside the
// pixel band (edges included) toggles.
void selectAnchorsInBand(TCvWindow& window, const PixelRect& band, SelectMode mode);

} // namespace plumex
