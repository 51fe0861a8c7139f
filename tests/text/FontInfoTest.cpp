// The naming-table reader: real files, the ranking of records, hostile input.

#include "text/FontInfo.h"
#include "Fonts.h"
#include "model/FileBytes.h"
#include "model/ReadError.h"

#include <gtest/gtest.h>

using Bytes = std::vector<std::uint8_t>;

namespace {

void put16(Bytes& b, std::uint32_t v) {
    b.push_back(static_cast<std::uint8_t>(v >> 8));
    b.push_back(static_cast<std::uint8_t>(v));
}
void put32(Bytes& b, std::uint32_t v) {
    put16(b, v >> 16);
    put16(b, v & 0xFFFF);
}

struct NameRecord {
    std::uint32_t platform, language, id;
    std::string text; // ASCII; written as UTF-16BE for platforms 0 and 3
};

// A font file holding only a naming table with `records`.
Bytes fontWithNames(const std::vector<NameRecord>& records) {
    Bytes strings;
    Bytes table;
    put16(table, 0);
    put16(table, static_cast<std::uint32_t>(records.size()));
    put16(table, static_cast<std::uint32_t>(6 + 12 * records.size()));
    for (const NameRecord& r : records) {
        const std::size_t start = strings.size();
        for (char c : r.text) {
            if (r.platform == 0 || r.platform == 3) strings.push_back(0);
            strings.push_back(static_cast<std::uint8_t>(c));
        }
        put16(table, r.platform);
        put16(table, 1);
        put16(table, r.language);
        put16(table, r.id);
        put16(table, static_cast<std::uint32_t>(strings.size() - start));
        put16(table, static_cast<std::uint32_t>(start));
    }
    table.insert(table.end(), strings.begin(), strings.end());
    Bytes font;
    put32(font, 0x00010000);
    put16(font, 1);
    put16(font, 16);
    put16(font, 0);
    put16(font, 0);
    put32(font, 0x6E616D65); // 'name'
    put32(font, 0);
    put32(font, 28);
    put32(font, static_cast<std::uint32_t>(table.size()));
    font.insert(font.end(), table.begin(), table.end());
    return font;
}

} // namespace

TEST(FontInfo, ReadsTheFullNameOfRealFonts) {
    EXPECT_EQ(ReadFontInfo(plumex::testing::DejaVuSans).FullName(), "DejaVu Sans");
    EXPECT_EQ(ReadFontInfo(plumex::testing::DejaVuSansBold).FullName(), "DejaVu Sans Bold");
    const TFontInfo cff = ReadFontInfo(plumex::testing::CantarellRegular);
    EXPECT_EQ(cff.names[1], "Cantarell");
    EXPECT_FALSE(cff.FullName().empty());
}

TEST(FontInfo, JapaneseBeatsEnglishBeatsNeutralAndTheLastOfEqualRankWins) {
    const TFontInfo info = ReadFontInfo(fontWithNames({
        {1, 0, 4, "mac"},
        {3, 1033, 4, "english"},
        {3, 0, 4, "neutral"},    // lower rank: ignored
        {3, 2057, 4, "british"}, // same rank as English, later: wins
        {3, 1031, 1, "german"},
        {0, 0, 1, "unicode"}, // platform 0 ranks below any Windows record
        {3, 1041, 2, "japanese"},
        {3, 1033, 2, "english"},
        {3, 7, 13, "past twelve"},
    }));
    EXPECT_EQ(info.FullName(), "british");
    EXPECT_EQ(info.names[1], "german");
    EXPECT_EQ(info.names[2], "japanese");
    EXPECT_EQ(ReadFontInfo(fontWithNames({{1, 0, 4, "mac"}})).FullName(), "mac");
}

TEST(FontInfo, CollectionsPickTheirFace) {
    const Bytes face = fontWithNames({{3, 1033, 4, "second"}});
    // A collection header with two faces; the second's table directory follows the header.
    Bytes ttc;
    put32(ttc, 0x74746366);
    put32(ttc, 0x00010000);
    put32(ttc, 2);
    put32(ttc, 0xFFFFFF00); // first face: outside the file
    put32(ttc, 20);
    Bytes shifted = face;
    // Table offsets are from the start of the collection file.
    shifted[20] = 0;
    shifted[21] = 0;
    shifted[22] = 0;
    shifted[23] = 28 + 20;
    ttc.insert(ttc.end(), shifted.begin(), shifted.end());
    EXPECT_EQ(ReadFontInfo(ttc, 1).FullName(), "second");
    EXPECT_THROW(ReadFontInfo(ttc, 0), plumex::ReadError);
    EXPECT_THROW(ReadFontInfo(ttc, 2), plumex::ReadError);
    EXPECT_THROW(ReadFontInfo(face, 1), plumex::ReadError);
}

TEST(FontInfo, EveryTruncationOfAFontIsRefusedOrReadSafely) {
    const Bytes font = fontWithNames({{3, 1033, 4, "full"}, {3, 1033, 1, "family"}});
    for (std::size_t n = 0; n < font.size(); ++n) {
        const Bytes cut(font.begin(), font.begin() + static_cast<std::ptrdiff_t>(n));
        EXPECT_THROW(ReadFontInfo(cut), plumex::ReadError) << n;
    }
    EXPECT_EQ(ReadFontInfo(font).names[1], "family");
    EXPECT_THROW(ReadFontInfo(Bytes{'t', 'e', 'x', 't'}), plumex::ReadError);
    EXPECT_THROW(ReadFontInfo("/nonexistent/font.ttf"), plumex::ReadError);
}

TEST(FontInfo, StringsPointingOutsideTheTableAreSkipped) {
    Bytes font = fontWithNames({{3, 1033, 4, "full"}, {3, 1033, 1, "family"}});
    // The table length is cut to end before the strings of the second record.
    const std::size_t tableLength = font.size() - 28 - 12;
    font[26] = static_cast<std::uint8_t>(tableLength >> 8);
    font[27] = static_cast<std::uint8_t>(tableLength);
    const TFontInfo info = ReadFontInfo(font);
    EXPECT_EQ(info.FullName(), "full");
    EXPECT_EQ(info.names[1], "");
}
