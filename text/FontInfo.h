#pragma once
// Texts of a font file's naming table, read by our own reader so that a file can be named
// before it is handed to the font engine.

#include <array>
#include <cstdint>
#include <span>
#include <string>

struct TFontInfo {
    // Name identifiers 0 to 12 (1 family, 2 subfamily, 4 full name, 5 version, 8 manufacturer,
    // 9 designer, 10 description, ...), as UTF-8; empty when the table has none.
    std::array<std::string, 13> names;

    const std::string& FullName() const { return names[4]; }
};

// Throws plumex::ReadError when the file cannot be read or holds no valid naming table.
// `faceIndex` picks the face of a font collection (.ttc).
TFontInfo ReadFontInfo(const std::string& fileName, int faceIndex = 0);
TFontInfo ReadFontInfo(std::span<const std::uint8_t> bytes, int faceIndex = 0);
