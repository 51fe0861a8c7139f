#pragma once
// Font files this process added to the installed faces (fontconfig's application font set).

#include <string>
#include <vector>

class TInstalledFonts {
public:
    TInstalledFonts() = default;
    TInstalledFonts(const TInstalledFonts&) = delete;
    TInstalledFonts& operator=(const TInstalledFonts&) = delete;
    // Application fonts end with the process; the list forgets them here.
    ~TInstalledFonts();

    // False when the path is already listed, is not a .ttf, .otf or .ttc file, does not exist
    // or is refused by fontconfig.
    bool Add(const std::string& path);
    const std::vector<std::string>& Files() const { return files_; }

private:
    std::vector<std::string> files_;
};

// The one list of the program.
TInstalledFonts& InstalledFonts();

// The extension (lower case) names a font file the text tool can read.
bool isFontFileName(const std::string& path);
