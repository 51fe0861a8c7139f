// Font naming-table fuzzer: any bytes either fail with a ReadError or give names that are
// valid UTF-8 no longer than the input could encode. The first byte picks the face index.

#include "model/ReadError.h"
#include "text/FontInfo.h"
#include "text/Utf8.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::span<const std::uint8_t> font(data + 1, size - 1);
    TFontInfo info;
    try {
        info = ReadFontInfo(font, data[0] % 4);
    } catch (const plumex::ReadError&) {
        return 0;
    }
    for (const std::string& name : info.names) {
        // A 2-byte code unit becomes at most 3 bytes of UTF-8, and so does a single-byte
        // Macintosh character (marked as U+FFFD).
        if (name.size() > 3 * size) std::abort();
        for (char32_t c : plumex::decodeUtf8(name))
            if (c == plumex::ReplacementCharacter && name.find("\xEF\xBF\xBD") == std::string::npos)
                std::abort();
    }
    return 0;
}
