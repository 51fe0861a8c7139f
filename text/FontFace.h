#pragma once
// One face of a font file opened with FreeType, with the synthesised styles to apply to it.
// Outlines are read unscaled (design units) and scaled in doubles, so no 26.6 rounding enters.

#include <ft2build.h>
#include FT_FREETYPE_H

#include <memory>
#include <string>

namespace plumex {

// Pixels per em of a 100-point font at 96 dpi: the size glyph outlines are delivered at.
inline constexpr double EmPixels = 100.0 * 96.0 / 72.0;

// The shear FreeType's own oblique synthesis uses (0x0366A / 0x10000, about 12 degrees).
inline constexpr double ObliqueShear = 0x0366A / 65536.0;

class FontFace {
public:
    // Opens face `index` of `fileName` (a collection holds several). Throws ReadError.
    FontFace(const std::string& fileName, int index = 0);

    FT_Face face() const { return face_.get(); }
    // Design units to pixels of the 100-point font.
    double unitScale() const { return EmPixels / face_->units_per_EM; }
    std::string familyName() const;
    std::string styleName() const;
    bool isBold() const { return (face_->style_flags & FT_STYLE_FLAG_BOLD) != 0; }
    bool isItalic() const { return (face_->style_flags & FT_STYLE_FLAG_ITALIC) != 0; }

    // Styles the face lacks and that are drawn by FreeType's outline operations instead.
    bool embolden = false;
    bool oblique = false;

private:
    struct LibraryDone {
        void operator()(FT_Library l) const { FT_Done_FreeType(l); }
    };
    struct FaceDone {
        void operator()(FT_Face f) const { FT_Done_Face(f); }
    };
    std::unique_ptr<FT_LibraryRec_, LibraryDone> library_;
    std::unique_ptr<FT_FaceRec_, FaceDone> face_; // declared last: freed before its library
};

} // namespace plumex
