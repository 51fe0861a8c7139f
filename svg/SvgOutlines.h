#pragma once
// The outlines an SVG document draws, as read by the parser: one entry per drawing element,
// each subpath a path in the document's own pixel coordinates (y pointing down).

#include "model/Path.h"
#include "model/ReadError.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace plumex {

// Thrown when an import is cancelled; a ReadError, so a caller that only shows errors still
// stops cleanly.
class SvgImportCancelled : public ReadError {
public:
    SvgImportCancelled() : ReadError("The SVG import was cancelled") {}
};

enum class SvgFillRule { NonZero, EvenOdd };

// The subpaths of one element (path, rect, circle, ...), in order, and how it is painted after
// inheritance and style sheets: whether its fill is anything but none, and by which rule, and
// whether its stroke is.
struct SvgElementOutlines {
    std::vector<TCvLine> subpaths;
    bool filled = true;
    SvgFillRule fillRule = SvgFillRule::NonZero;
    bool stroked = false;
};

using SvgOutlines = std::vector<SvgElementOutlines>;

// More anchors than this make the file refused rather than exhaust memory.
inline constexpr std::size_t MaxSvgAnchors = 4'000'000;
// <use> elements may draw at most this many XML nodes again, all together: a file whose
// references fan out to more is refused.
inline constexpr std::size_t MaxSvgUseNodes = 100'000;
// A coordinate or length beyond this many pixels is taken for garbage.
inline constexpr double MaxSvgMagnitude = 1e12;
// Elements nested deeper than this, <use> references and nested <svg> counted as levels, make
// the file refused: the traversal recurses per level.
inline constexpr int MaxSvgDepth = 100;

// Parses the bytes of an SVG file: path data with every command (quadratic curves and
// elliptical arcs become cubics), the basic shapes, nested transforms, length units (96 px per
// inch), the root's viewBox scale, <use> references within the document and display="none".
// Positions are the root's user coordinates times that scale. Content of defs, symbols, masks,
// clip paths and unknown elements is drawn only where a <use> refers to it. <style> sheets
// (see SvgStyleSheet.h), visibility, fill, fill-rule and stroke are followed; gzip-compressed bytes
// (.svgz) are unpacked first. External entities and network access are never used. Throws
// ReadError with the reason, and ImportCancelled once `cancel` turns true.
SvgOutlines parseSvgOutlines(std::span<const std::uint8_t> bytes,
                             const std::atomic<bool>* cancel = nullptr);

} // namespace plumex
