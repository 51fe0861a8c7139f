#pragma once
// Text laid out along baselines as closed cubic paths, one character after another.

#include "model/Path.h"
#include "text/FontFace.h"

#include <string_view>
#include <vector>

namespace plumex {

// One glyph in pixels of the 100-point font, y up from the baseline, with its advance width.
struct GlyphPaths {
    std::vector<TCvLine> paths;
    double advance = 0;
};

// The glyph's outline with the face's synthesised styles applied; a glyph without an outline
// (a space, a code the face lacks) gives no paths but its advance.
GlyphPaths GlyphToPaths(const FontFace& face, unsigned glyphIndex);

// Nested contours of one character merged into paths with holes.
std::vector<TCvLine> MakeCharacterHoles(const std::vector<TCvLine>& paths);

struct TextOptions {
    double objectSize = 1; // drawing units a 100-point glyph is scaled to (k = size / 100)
    bool makeHoles = true;
    TCvCoord origin; // start of the first baseline
};

// Every character's paths, selected, in text order. `utf8` is walked by code points; CR, LF
// and CR LF each start the next line 1.2 x objectSize lower. Kerning pairs of the face apply.
std::vector<TCvLine> TextToPaths(const FontFace& face, std::string_view utf8,
                                 const TextOptions& options);

} // namespace plumex
