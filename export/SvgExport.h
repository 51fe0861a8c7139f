#pragma once
// Paths as an SVG document: every path one <path> element with its exact cubic data, closed
// paths filled by the even-odd rule (so a merged hole stays a hole), open paths stroked. The
// drawing's (x, y) in units is written as (100 x, -100 y) pixels, the inverse of the import,
// and the viewBox is the paths' exact bounds with room for the stroke.

#include "model/Path.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace plumex {

// The document text; paths without anchors are left out. An empty list gives a document
// without paths and a one-pixel viewBox. Throws std::domain_error when a coordinate is beyond
// what a pixel number can hold.
std::string SvgExportText(const std::vector<TCvLine>& paths);

// Streams the document; throws as SvgExportText does, before writing anything.
void WriteSvg(std::ostream& out, const std::vector<TCvLine>& paths);

// The path data of one path ("M x y C ... Z"), numbers in the shortest fixed-point text that
// reads back as the same double.
std::string SvgPathData(const TCvLine& path);

// Writes the document without ever losing the previous file. On failure answers false with
// the reason in `error`.
bool SvgExportFile(const std::string& fileName, const std::vector<TCvLine>& paths,
                   std::string* error = nullptr);

} // namespace plumex
