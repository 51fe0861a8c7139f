// Settings and language files are user-editable text: any bytes must parse without harm.

#include "app/ColorTable.h"
#include "app/IniFile.h"
#include "app/LanguageFile.h"
#include "app/Options.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace plumex;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    IniFile ini = IniFile::fromText(std::string_view(reinterpret_cast<const char*>(data), size));
    TCvOptions options;
    ColorTable colors = defaultColors();
    options.Load(ini, colors);
    for (uint32_t c : colors)
        if (c > 0xFFFFFF) std::abort();
    if (options.MRUMax < 0 || options.GridKnots < 1 || !(options.GridUnits > 0)) std::abort();
    (void)readLanguage(ini);

    // What is written must read back, both at once and after a round trip through text.
    ini.writeString("General", "Name", "fuzz");
    IniFile again = IniFile::fromText(ini.text());
    if (ini.readString("General", "Name", "") != "fuzz") std::abort();
    if (again.readString("general", "name", "") != "fuzz") std::abort();
    return 0;
}
