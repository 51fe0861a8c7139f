#pragma once
// What the text dialog or the command line asks for, and the face that answers it.

#include "model/Path.h"
#include "text/FontList.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plumex {

struct TextRequest {
    std::string text = "ABC"; // UTF-8; CR, LF or CR LF between lines
    std::string family;       // an installed family (ignored with fontFile)
    std::string fontFile;     // a font file to use instead of an installed family
    int faceIndex = 0;        // face within fontFile when it is a collection
    bool bold = false;
    bool italic = false;
    double objectSize = 1;
    bool makeHoles = true;
};

// The largest object size the text dialog and the command line take: a glyph scaled beyond it
// leaves the model's coordinates without the digits that tell its points apart.
inline constexpr double MaxObjectSize = 1e9;

// The limit as the messages and the help name it: "1000000000".
std::string ObjectSizeLimitText();

// A typed object size: a finite number above 0 and at most MaxObjectSize, blanks around it
// allowed; nothing for anything else.
std::optional<double> ParseObjectSize(std::string_view text);

struct TextOutlines {
    std::vector<TCvLine> paths; // selected
    FontMatch font;             // the face actually used
};

// The text's paths with the first baseline starting at `origin`. Throws ReadError when the
// font file cannot be read or no font is installed.
TextOutlines MakeTextOutlines(const TextRequest& request, TCvCoord origin);

// "DejaVu Sans Bold", plus the reason when another family stands in or a style is drawn.
std::string DescribeFont(const FontMatch& font, const std::string& asked);

} // namespace plumex
