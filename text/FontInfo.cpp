#include "text/FontInfo.h"

#include "model/FileBytes.h"
#include "model/ReadError.h"
#include "text/Utf8.h"

namespace {

using Bytes = std::span<const std::uint8_t>;

[[noreturn]] void invalid() {
    throw plumex::ReadError("Not a font file");
}

// Big-endian fields, every read checked against the end of the data.
std::uint32_t read(Bytes b, std::size_t at, int size) {
    if (at > b.size() || b.size() - at < static_cast<std::size_t>(size)) invalid();
    std::uint32_t v = 0;
    for (int i = 0; i < size; ++i) v = (v << 8) | b[at + static_cast<std::size_t>(i)];
    return v;
}
std::uint32_t u16(Bytes b, std::size_t at) {
    return read(b, at, 2);
}
std::uint32_t u32(Bytes b, std::size_t at) {
    return read(b, at, 4);
}

// Offset of the table directory of the chosen face.
std::size_t faceOffset(Bytes b, int faceIndex) {
    if (u32(b, 0) != 0x74746366) { // 'ttcf'
        if (faceIndex != 0) invalid();
        return 0;
    }
    const std::uint32_t count = u32(b, 8);
    if (faceIndex < 0 || static_cast<std::uint32_t>(faceIndex) >= count) invalid();
    return u32(b, 12 + 4 * static_cast<std::size_t>(faceIndex));
}

// Offset and length of the 'name' table, checked to lie within the data.
Bytes nameTable(Bytes b, int faceIndex) {
    const std::size_t dir = faceOffset(b, faceIndex);
    const std::uint32_t version = u32(b, dir);
    if (version != 0x00010000 && version != 0x4F54544F && version != 0x74727565) invalid();
    const std::uint32_t tables = u16(b, dir + 4);
    for (std::uint32_t i = 0; i < tables; ++i) {
        const std::size_t rec = dir + 12 + 16 * static_cast<std::size_t>(i);
        if (u32(b, rec) != 0x6E616D65) continue; // 'name'
        const std::size_t offset = u32(b, rec + 8);
        const std::size_t length = u32(b, rec + 12);
        if (offset > b.size() || length > b.size() - offset) invalid();
        return b.subspan(offset, length);
    }
    invalid();
}

int rank(std::uint32_t platform, std::uint32_t language) {
    if (platform != 3) return 0;
    if (language == 1041) return 4;
    if (language == 1033 || language == 2057) return 3;
    return language == 0 ? 2 : 1;
}

std::string decode(Bytes s, bool utf16) {
    std::string out;
    if (!utf16) {
        // Single-byte names (Macintosh platform) are Roman text: pass ASCII, mark the rest.
        for (std::uint8_t c : s) plumex::appendUtf8(out, c < 0x80 ? c : 0xFFFD);
        return out;
    }
    for (std::size_t i = 0; i + 1 < s.size(); i += 2) {
        char32_t c = (char32_t{s[i]} << 8) | s[i + 1];
        if (c >= 0xD800 && c <= 0xDBFF && i + 3 < s.size()) {
            const char32_t low = (char32_t{s[i + 2]} << 8) | s[i + 3];
            if (low >= 0xDC00 && low <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        plumex::appendUtf8(out, c);
    }
    return out;
}

} // namespace

TFontInfo ReadFontInfo(std::span<const std::uint8_t> bytes, int faceIndex) {
    const Bytes table = nameTable(bytes, faceIndex);
    const std::uint32_t count = u16(table, 2);
    const std::size_t storage = u16(table, 4);
    TFontInfo info;
    std::array<int, 13> best{};
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t rec = 6 + 12 * static_cast<std::size_t>(i);
        const std::uint32_t platform = u16(table, rec);
        const std::uint32_t language = u16(table, rec + 4);
        const std::uint32_t id = u16(table, rec + 6);
        const std::size_t length = u16(table, rec + 8);
        const std::size_t offset = storage + u16(table, rec + 10);
        if (id > 12) continue;
        const int r = rank(platform, language);
        if (r < best[id]) continue;
        // A string outside the table is skipped rather than refusing the whole file.
        if (offset > table.size() || length > table.size() - offset) continue;
        best[id] = r;
        info.names[id] = decode(table.subspan(offset, length), platform == 0 || platform == 3);
    }
    return info;
}

TFontInfo ReadFontInfo(const std::string& fileName, int faceIndex) {
    const std::vector<std::uint8_t> bytes = plumex::readFileBytes(fileName);
    return ReadFontInfo(std::span<const std::uint8_t>(bytes), faceIndex);
}
