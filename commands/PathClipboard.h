#pragma once
// Cut, copy and paste of paths, without the system clipboard: what a copy takes from the
// drawing, the forms it travels in (the private block, an SVG document and bezier_spline
// text), the paste buffer read back from them, and the edits of Cut Segments and Paste.

#include "model/Document.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace plumex {

// What Copy hands to the clipboard: the block, the same paths as an SVG document for drawing
// programs (empty when a coordinate is too large for SVG) and as POV-Ray prism text.
struct ClipboardContent {
    std::vector<std::uint8_t> block;
    std::string svg;
    std::string text;
};

// What the system clipboard offers: the private block, an SVG document and plain text, each
// only when present.
struct ClipboardOffer {
    std::optional<std::vector<std::uint8_t>> block;
    std::optional<std::string> svg;
    std::optional<std::string> text;
};

// The runs of consecutive selected anchors of `line`, each a fully selected open path without
// a name; a path whose anchors are all selected comes whole (closed or open, named).
std::vector<TCvLine> SelectedAnchorRuns(const TCvLine& line);

// What Copy takes: copies of the selected paths in list order, or (the anchor and zoom tools)
// only the selected runs of their anchors.
enum class CopyScope { Paths, AnchorRuns };
std::vector<TCvLine> CopiedPaths(const TCvDocument& doc, CopyScope scope);

// Throws std::length_error or std::domain_error when the paths cannot be written.
ClipboardContent ClipboardContentOf(const std::vector<TCvLine>& paths);

// The paste buffer from what the clipboard offers: the block when there is one, else the
// shapes of the SVG document read as File > Import reads a file (holes made), else every
// bezier_spline block of the text. An SVG document without shapes gives way to the text.
// Throws ReadError ("Invalid Data" for a damaged block, the reader's reason for a bad SVG
// document, "ReadPoint::ReadError" for a malformed point).
std::vector<TCvLine> PasteBufferFrom(const ClipboardOffer& offer);
std::vector<TCvLine> PasteBufferFrom(const std::optional<std::vector<std::uint8_t>>& block,
                                     const std::optional<std::string>& text);

// After the copy: with `anchorRuns` every segment between two selected anchors goes and the
// paths split there, otherwise the selected paths go. Records one undo step first.
bool CutSegments(TCvDocument& doc, CopyScope scope, int penPath = -1);

// Inserts copies of `buffer` at the front of the list as the new selection, centred on
// `centreOn` when given (kept in place when that move would leave the range of a double).
// Records one undo step first; false for an empty buffer.
bool PastePaths(TCvDocument& doc, const std::vector<TCvLine>& buffer,
                std::optional<TCvCoord> centreOn, int penPath = -1);

} // namespace plumex
