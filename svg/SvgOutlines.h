#pragma once
// The outlines an SVG document draws, as read by the parser: one entry per drawing element,
// each subpath a path in the document's own pixel coordinates (y pointing down).

#include "model/Path.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace plumex {

// Each inner vector holds the subpaths of one element (path, rect, circle, ...), in order.
using SvgOutlines = std::vector<std::vector<TCvLine>>;

// More anchors than this make the file refused rather than exhaust memory.
inline constexpr std::size_t MaxSvgAnchors = 4'000'000;
// <use> elements may draw at most this many XML nodes again, all together: a file whose
// references fan out to more is refused.
inline constexpr std::size_t MaxSvgUseNodes = 100'000;
// A coordinate or length beyond this many pixels is taken for garbage.
inline constexpr double MaxSvgMagnitude = 1e12;

// Parses the bytes of an SVG file: path data with every command (quadratic curves and
// elliptical arcs become cubics), the basic shapes, nested transforms, length units (96 px per
// inch), the root's viewBox scale, <use> references within the document and display="none".
// Positions are the root's user coordinates times that scale. Content of defs, symbols, masks,
// clip paths and unknown elements is drawn only where a <use> refers to it.
// External entities and network access are never used. Throws ReadError with the reason.
SvgOutlines parseSvgOutlines(std::span<const std::uint8_t> bytes);

} // namespace plumex
