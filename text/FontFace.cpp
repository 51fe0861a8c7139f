#include "text/FontFace.h"

#include "model/ReadError.h"

namespace plumex {

FontFace::FontFace(const std::string& fileName, int index) {
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib) != 0) throw ReadError("Cannot start the font engine");
    library_.reset(lib);
    FT_Face f = nullptr;
    if (index < 0 || FT_New_Face(lib, fileName.c_str(), index, &f) != 0)
        throw ReadError("Not a font file: " + fileName);
    face_.reset(f);
    if (!FT_IS_SCALABLE(f) || f->units_per_EM == 0)
        throw ReadError("The font has no outlines: " + fileName);
}

std::string FontFace::familyName() const {
    return face_->family_name ? face_->family_name : "";
}

std::string FontFace::styleName() const {
    return face_->style_name ? face_->style_name : "";
}

} // namespace plumex
