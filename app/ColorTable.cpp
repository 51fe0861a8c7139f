#include "app/ColorTable.h"

#include "app/IniFile.h"

#include <string>

namespace plumex {

const ColorTable& defaultColors() {
    static const ColorTable colors = {
        0xFFFFFF, // background
        0x000000, // unselected objects
        0xFF0000, // selected objects
        0xFFFFFF, // unselected anchors of selected objects
        0x0000FF, // selected end anchors
        0xC0C0FF, // unselected end anchors of selected objects
        0x80C000, // control points and lines
        0x40A0E0, // locked objects
        0xE0E0E0, // grids
        0xC0C0C0, // step grids
        0x0000FF, // centre grids
        0x80C000, // selected bounds
        0x80C000, // marker
        0xE8FFFF, // ruler background
        0x000000, // ruler foreground
        0xFF0000, // cursor position indicators
        0x800080, // guide lines
    };
    return colors;
}

ColorTable& colorTable() {
    static ColorTable colors = defaultColors();
    return colors;
}

void readColors(const IniFile& ini, std::string_view section, ColorTable& colors) {
    for (int i = 0; i < ColorCount; ++i) {
        const std::string key = "Color" + std::to_string(i);
        const int64_t current = colors[i];
        const int64_t value = ini.readInteger(section, key, static_cast<int32_t>(current));
        // Only plain RGB values; anything else is not a colour this program wrote.
        if (value >= 0 && value <= 0xFFFFFF) colors[i] = static_cast<uint32_t>(value);
    }
}

void writeColors(IniFile& ini, std::string_view section, const ColorTable& colors) {
    for (int i = 0; i < ColorCount; ++i)
        ini.writeInteger(section, "Color" + std::to_string(i), colors[i]);
}

} // namespace plumex
