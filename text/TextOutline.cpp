#include "text/TextOutline.h"

#include "model/LineTree.h"
#include "text/GlyphOutline.h"
#include "text/Utf8.h"

#include FT_OUTLINE_H

namespace plumex {

GlyphPaths GlyphToPaths(const FontFace& face, unsigned glyphIndex) {
    GlyphPaths g;
    FT_Face f = face.face();
    // Unscaled design units: exact integers, scaled below in doubles.
    if (FT_Load_Glyph(f, glyphIndex, FT_LOAD_NO_SCALE | FT_LOAD_NO_BITMAP) != 0) return g;
    FT_GlyphSlot slot = f->glyph;
    double advance = static_cast<double>(slot->advance.x);
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        if (face.embolden) {
            // The strength FreeType's own emboldening uses: 1/24 em.
            const FT_Pos strength = f->units_per_EM / 24;
            FT_Outline_EmboldenXY(&slot->outline, strength, strength);
            advance += static_cast<double>(strength);
        }
        g.paths = OutlineToPaths(slot->outline, face.unitScale());
        if (face.oblique)
            for (TCvLine& p : g.paths) p.Transform({0, 0}, {1, 0}, {ObliqueShear, 1});
    }
    g.advance = advance * face.unitScale();
    return g;
}

std::vector<TCvLine> MakeCharacterHoles(const std::vector<TCvLine>& paths) {
    if (paths.size() < 2) return paths;
    const TCvLineTree tree = BuildTree(paths);
    std::vector<TCvLine> out;
    Flatten(tree.top, out);
    return out;
}

std::vector<TCvLine> TextToPaths(const FontFace& face, std::string_view utf8,
                                 const TextOptions& options) {
    const std::u32string text = decodeUtf8(utf8);
    const double k = options.objectSize / 100;
    FT_Face f = face.face();
    const bool kerning = FT_HAS_KERNING(f);
    TCvCoord pen = options.origin;
    unsigned previous = 0;
    std::vector<TCvLine> out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        if (c == U'\r' || c == U'\n') {
            if (c == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n') ++i;
            pen = {options.origin.x, pen.y - 1.2 * options.objectSize};
            previous = 0;
            continue;
        }
        const unsigned glyph = FT_Get_Char_Index(f, c);
        if (kerning && previous != 0 && glyph != 0) {
            FT_Vector kern{};
            if (FT_Get_Kerning(f, previous, glyph, FT_KERNING_UNSCALED, &kern) == 0)
                pen.x += static_cast<double>(kern.x) * face.unitScale() * k;
        }
        GlyphPaths g = GlyphToPaths(face, glyph);
        if (glyph == 0) g.paths.clear(); // the face lacks it: no box, only its width
        if (options.makeHoles) g.paths = MakeCharacterHoles(g.paths);
        for (TCvLine& p : g.paths) {
            p.SelectAll(true);
            p.Scale(k, k);
            p.Translate(pen);
            out.push_back(std::move(p));
        }
        pen.x += g.advance * k;
        previous = glyph;
    }
    return out;
}

} // namespace plumex
