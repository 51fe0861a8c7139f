#include "text/TextRequest.h"

#include "text/TextOutline.h"

#include <charconv>
#include <cmath>

namespace plumex {

TextOutlines MakeTextOutlines(const TextRequest& request, TCvCoord origin) {
    TextOutlines out;
    FontMatch& m = out.font;
    if (request.fontFile.empty()) {
        m = FindFont(request.family, request.bold, request.italic);
    } else {
        m.file = request.fontFile;
        m.index = request.faceIndex;
    }
    FontFace face(m.file, m.index);
    if (!request.fontFile.empty()) {
        m.family = face.familyName();
        m.style = face.styleName();
        m.embolden = request.bold && !face.isBold();
        m.oblique = request.italic && !face.isItalic();
    }
    face.embolden = m.embolden;
    face.oblique = m.oblique;
    out.paths = TextToPaths(face, request.text, {request.objectSize, request.makeHoles, origin});
    return out;
}

std::string ObjectSizeLimitText() {
    return std::to_string(static_cast<long long>(MaxObjectSize));
}

std::optional<double> ParseObjectSize(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    double v = 0;
    const char* end = text.data() + text.size();
    const auto r = std::from_chars(text.data(), end, v);
    if (text.empty() || r.ec != std::errc() || r.ptr != end) return std::nullopt;
    if (!std::isfinite(v) || !(v > 0) || v > MaxObjectSize) return std::nullopt;
    return v;
}

std::string DescribeFont(const FontMatch& font, const std::string& asked) {
    std::string s = font.family + " " + font.style;
    if (font.embolden || font.oblique) {
        s += font.embolden && font.oblique ? " (bold and italic drawn)"
             : font.embolden               ? " (bold drawn)"
                                           : " (italic drawn)";
    }
    if (font.substituted) s += " (\"" + asked + "\" is not installed)";
    return s;
}

} // namespace plumex
