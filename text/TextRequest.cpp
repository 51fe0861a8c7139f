#include "text/TextRequest.h"

#include "text/TextOutline.h"

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
