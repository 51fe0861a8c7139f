// Build tool: writes a built-in language as the .pll template the editor's "Output Language
// Definition File" writes, so the packaged template is made by the same code.

#include "app/BuiltinLanguages.h"
#include "app/LanguageFile.h"

#include <filesystem>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: write-language-template English|Japanese OUT.pll\n";
        return 2;
    }
    const std::string name = argv[1];
    if (name != "English" && name != "Japanese") {
        std::cerr << "write-language-template: no built-in language " << name << "\n";
        return 2;
    }
    // The writer keeps keys already in the file; a template starts from nothing.
    std::error_code ec;
    std::filesystem::remove(argv[2], ec);
    const auto& language = name == "English" ? plumex::builtinEnglish() : plumex::builtinJapanese();
    if (!plumex::writeLanguageTemplate(argv[2], language)) {
        std::cerr << "write-language-template: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
