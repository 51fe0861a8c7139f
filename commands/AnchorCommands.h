#pragma once
// The Anchor menu: commands on the selected anchors of the selected paths. Each answers whether
// it changed the drawing and then has recorded exactly one undo step; Remove Anchors and Paste
// Handle record before they start, the others only when the result differs. Anchors of paths
// that are not selected (a hidden path keeps its anchor selection) are never touched.

#include "model/Document.h"

#include <optional>

namespace plumex {

// One anchor of the drawing: path index and anchor index.
struct AnchorRef {
    int path = -1;
    int anchor = -1;

    friend bool operator==(const AnchorRef&, const AnchorRef&) = default;
};

// Selected end anchors of the open selected paths: the first anchor, and the last one when the
// path has more than one.
int CountSelectedEndAnchors(const TCvDocument& doc);
// Exactly two selected end anchors, or more of which two lie at exactly the same position.
bool CanJoinEndAnchors(const TCvDocument& doc);
bool AnySelectedOpenPath(const TCvDocument& doc);
// Some selected anchor is not an end anchor (any anchor of a closed path, an inner one of an
// open path).
bool CanSeparateAnchors(const TCvDocument& doc);
// The single selected anchor within the selected paths, if exactly one is selected.
std::optional<AnchorRef> SingleSelectedAnchor(const TCvDocument& doc);

// Joins selected end anchors within `range` of each other (0: at exactly the same position,
// then also the two only selected ends with a new segment, straight or curved). The joined
// paths move to the front of the list.
// When no ends lie within range of each other, the two ends are bridged by a curve or a line.
enum class JoinShape { Curved, Straight };
bool JoinEndAnchors(TCvDocument& doc, JoinShape shape, double range, int penPath = -1);
// Opens closed paths at their selected anchors and splits open paths at selected inner anchors.
bool SeparateAnchors(TCvDocument& doc, int penPath = -1);
// Deletes the selected anchors; their neighbours join directly. Paths left empty go.
bool RemoveAnchors(TCvDocument& doc, int penPath = -1);
// Mirrored handles across the bisector of the neighbours' directions.
bool SmoothAnchors(TCvDocument& doc, int penPath = -1);
// Both handles retracted onto the anchor.
bool CornerAnchors(TCvDocument& doc, int penPath = -1);
// A new anchor halfway along every segment between two selected anchors.
bool DoubleAnchors(TCvDocument& doc, int penPath = -1);
// Removes selected anchors the curve does not need, as long as any goes.
bool MinimizeAnchors(TCvDocument& doc, int penPath = -1);
// Swaps in- and out-handle of every selected anchor.
bool ReverseHandles(TCvDocument& doc, int penPath = -1);

// The handle offsets of `at`, or of the single selected anchor when `at` is empty.
std::optional<TCvHandles> CopyHandle(const TCvDocument& doc, std::optional<AnchorRef> at = {});
// Puts the offsets onto `at` (or the single selected anchor); its flags stay as they are.
bool PasteHandle(TCvDocument& doc, const TCvHandles& handles, std::optional<AnchorRef> at = {},
                 int penPath = -1);

} // namespace plumex
