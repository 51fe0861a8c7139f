#include "export/MeshOptions.h"

#include "export/PovOptions.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace plumex {

namespace {

double number(const std::string& text) {
    double v = 0;
    std::from_chars(text.data(), text.data() + text.size(), v);
    return v;
}

} // namespace

double defaultPrismHeight() {
    const PovDlgState dlg;
    return number(dlg.top) - number(dlg.bottom);
}

bool meshFormatOf(const std::string& fileName, MeshFormat& format) {
    if (fileName.size() < 4) return false;
    std::string ext = fileName.substr(fileName.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ext == ".stl")
        format = MeshFormat::Stl;
    else if (ext == ".obj")
        format = MeshFormat::Obj;
    else
        return false;
    return true;
}

} // namespace plumex
