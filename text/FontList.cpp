#include "text/FontList.h"

#include "model/ReadError.h"
#include "text/FontFace.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <memory>
#include <strings.h>

namespace plumex {

namespace {

struct PatternDone {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
struct ObjectSetDone {
    void operator()(FcObjectSet* o) const { FcObjectSetDestroy(o); }
};
struct FontSetDone {
    void operator()(FcFontSet* s) const { FcFontSetDestroy(s); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDone>;

std::string stringOf(const FcPattern* p, const char* object, int n = 0) {
    FcChar8* s = nullptr;
    if (FcPatternGetString(p, object, n, &s) != FcResultMatch || !s) return {};
    return reinterpret_cast<const char*>(s);
}

int intOf(const FcPattern* p, const char* object, int fallback) {
    int v = fallback;
    FcPatternGetInteger(p, object, 0, &v);
    return v;
}

bool hasFamily(const FcPattern* p, const std::string& family) {
    for (int n = 0;; ++n) {
        FcChar8* s = nullptr;
        if (FcPatternGetString(p, FC_FAMILY, n, &s) != FcResultMatch) return false;
        if (strcasecmp(reinterpret_cast<const char*>(s), family.c_str()) == 0) return true;
    }
}

Pattern matchPattern(Pattern pattern) {
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    Pattern found(FcFontMatch(nullptr, pattern.get(), &result));
    if (!found || stringOf(found.get(), FC_FILE).empty())
        throw ReadError("No outline font is installed");
    return found;
}

} // namespace

std::vector<std::string> ListFontFamilies() {
    Pattern pattern(FcPatternCreate());
    FcPatternAddBool(pattern.get(), FC_OUTLINE, FcTrue);
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    std::unique_ptr<FcObjectSet, ObjectSetDone> objects(
        FcObjectSetBuild(FC_FAMILY, static_cast<char*>(nullptr)));
    std::unique_ptr<FcFontSet, FontSetDone> set(FcFontList(nullptr, pattern.get(), objects.get()));
    std::vector<std::string> families;
    for (int i = 0; set && i < set->nfont; ++i) {
        std::string name = stringOf(set->fonts[i], FC_FAMILY);
        if (!name.empty() && name[0] != '@') families.push_back(std::move(name));
    }
    std::sort(families.begin(), families.end());
    families.erase(std::unique(families.begin(), families.end()), families.end());
    return families;
}

FontMatch FindFont(const std::string& family, bool bold, bool italic) {
    Pattern pattern(FcPatternCreate());
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern.get(), FC_OUTLINE, FcTrue);
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    const Pattern found = matchPattern(std::move(pattern));
    FontMatch m;
    m.file = stringOf(found.get(), FC_FILE);
    m.index = intOf(found.get(), FC_INDEX, 0) & 0xFFFF; // upper bits select a named instance
    m.family = stringOf(found.get(), FC_FAMILY);
    m.style = stringOf(found.get(), FC_STYLE);
    m.substituted = !hasFamily(found.get(), family);
    // fontconfig's own synthesis rules rewrite the matched weight and slant, so the face
    // itself says which styles it has.
    const FontFace face(m.file, m.index);
    m.embolden = bold && !face.isBold();
    m.oblique = italic && !face.isItalic();
    return m;
}

void ReleaseFontCaches() {
    FcFini();
}

std::string DefaultFontFamily(const std::string& language) {
    Pattern pattern(FcPatternCreate());
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
    if (!language.empty())
        FcPatternAddString(pattern.get(), FC_LANG,
                           reinterpret_cast<const FcChar8*>(language.c_str()));
    return stringOf(matchPattern(std::move(pattern)).get(), FC_FAMILY);
}

} // namespace plumex
