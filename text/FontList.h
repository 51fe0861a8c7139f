#pragma once
// The installed scalable faces, as fontconfig lists them, and the face for a family and style.

#include <string>
#include <vector>

namespace plumex {

// Sorted family names of the installed outline fonts (application fonts included).
std::vector<std::string> ListFontFamilies();

struct FontMatch {
    std::string file;
    int index = 0;            // face within a collection
    std::string family;       // the family actually found
    std::string style;        // its style name, e.g. "Bold Oblique"
    bool substituted = false; // the family differs from the one asked for
    bool embolden = false;    // bold asked for, the face is not bold: synthesise it
    bool oblique = false;     // italic asked for, the face is upright: slant it
};

// fontconfig always answers with some face; `substituted` tells when it is another family.
// Throws ReadError when no outline font is installed at all.
FontMatch FindFont(const std::string& family, bool bold, bool italic);

// Frees fontconfig's caches; a process that is done with fonts calls it before it ends, so the
// leak checker sees a clean exit.
void ReleaseFontCaches();

// The desktop's default sans-serif family (one covering the locale's language).
std::string DefaultFontFamily(const std::string& language = "");

} // namespace plumex
