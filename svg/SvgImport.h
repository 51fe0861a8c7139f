#pragma once
// SVG files into paths. SVG's y axis points down and the drawing's up, and the canvas starts
// at 100 pixels per unit, so an SVG point (x, y) in pixels becomes (x / 100, -y / 100): the
// picture stands upright at the size it has on screen in a browser at 100 %.

#include "model/Path.h"
#include "svg/SvgOutlines.h"

#include <atomic>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace plumex {

inline constexpr double SvgPixelsPerUnit = 100;

struct SvgImportOptions {
    // Nested closed subpaths of one SVG element are merged as holes, as Make Hole does.
    bool makeHoles = true;
    // Only the shapes with a fill: stroke-only outlines (guides, frames, line art) stay out.
    bool filledOnly = false;
    // Checked now and then: once it turns true the import stops with SvgImportCancelled.
    const std::atomic<bool>* cancel = nullptr;
};

// The paths of an SVG document, in document order, every one selected: each subpath becomes a
// path, closed when it ends with z or when its element is filled (SVG fills an open subpath as
// if closed); a stroked-only subpath stays open. An element with neither fill nor stroke (after
// inheritance and style sheets) draws nothing and is left out. Throws ReadError with the reason
// when the bytes are not a readable SVG file (plain or gzip-compressed); nothing is returned then.
std::vector<TCvLine> ImportSvg(std::span<const std::uint8_t> bytes,
                               const SvgImportOptions& options = {});

// The same for a file. Throws ReadError when it cannot be read.
std::vector<TCvLine> ImportSvgFile(const std::string& fileName,
                                   const SvgImportOptions& options = {});

} // namespace plumex
