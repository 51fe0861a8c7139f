#pragma once
// The interface colours shared by every canvas: 17 roles, each a 0x00BBGGRR value.

#include <array>
#include <cstdint>
#include <string_view>

namespace plumex {

class IniFile;

constexpr int ColorCount = 17;
using ColorTable = std::array<uint32_t, ColorCount>;

const ColorTable& defaultColors();

// The process-wide table, set to the defaults at start.
ColorTable& colorTable();

// Keys "Color0" to "Color16"; a missing or unusable value keeps the table's current one.
void readColors(const IniFile& ini, std::string_view section, ColorTable& colors);
void writeColors(IniFile& ini, std::string_view section, const ColorTable& colors);

} // namespace plumex
