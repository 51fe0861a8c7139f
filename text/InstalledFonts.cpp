#include "text/InstalledFonts.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

TInstalledFonts::~TInstalledFonts() {
    if (!files_.empty()) FcConfigAppFontClear(nullptr);
}

bool isFontFileName(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".ttf" || ext == ".otf" || ext == ".ttc";
}

bool TInstalledFonts::Add(const std::string& path) {
    if (std::find(files_.begin(), files_.end(), path) != files_.end()) return false;
    std::error_code ec;
    if (!isFontFileName(path) || !std::filesystem::is_regular_file(path, ec)) return false;
    if (!FcConfigAppFontAddFile(nullptr, reinterpret_cast<const FcChar8*>(path.c_str())))
        return false;
    files_.push_back(path);
    return true;
}

TInstalledFonts& InstalledFonts() {
    static TInstalledFonts list;
    return list;
}
