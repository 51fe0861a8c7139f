// Canvas session fuzzer: the input is a sequence of mouse, key, tool, option and menu
// operations on an editing window (tests/shell/CanvasSession.h); any broken state aborts.
// With PLUMEX_SESSION_LOG set the session is printed as a script that the session tests
// replay (tests/shell/sessions/); set to a file name, the script goes there.

#include "export/BitmapExport.h"
#include "export/ContentBounds.h"
#include "export/IllustratorExport.h"
#include "tests/shell/CanvasSession.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void printScript(const std::string& script) {
    const char* to = std::getenv("PLUMEX_SESSION_LOG");
    if (!to) return;
    std::FILE* file = std::strcmp(to, "1") == 0 ? nullptr : std::fopen(to, "w");
    std::fputs(script.c_str(), file ? file : stderr);
    if (file) std::fclose(file);
}

// The exports of whatever the session drew, framed about 40 pixels or points wide: a bitmap in
// both modes and the Illustrator text, each complete or refused, never broken.
const char* exportsBroken(const std::vector<TCvLine>& lines) {
    using namespace plumex;
    const TCvRect b = contentBounds(lines);
    const double extent = std::max(b.right - b.left, b.top - b.bottom);
    const double scale = extent > 0 && std::isfinite(40 / extent) ? 40 / extent : 1;
    for (const BitmapMode mode : {BitmapMode::GreyScale, BitmapMode::Monochrome}) {
        CountingByteSink out;
        const BitmapOutcome o = renderBitmap(out, lines, {b, scale, 2, mode});
        if (o.result == BitmapResult::TooLarge) continue;
        if (o.result != BitmapResult::Written) return "bitmap export failed";
        const auto size = bitmapOutputSize(b, scale, 2);
        const auto bytes =
            bmpFileSize(size->width, size->height,
                        mode == BitmapMode::GreyScale ? BmpFormat::Grey8 : BmpFormat::Mono1);
        if (out.count() != bytes) return "bitmap file of the wrong size";
    }
    try {
        if (!IllustratorText(lines, scale, b, {}).ends_with("%%Trailer\r\n%%EOF\r\n"))
            return "Illustrator text without its trailer";
    } catch (const IllustratorRangeError&) {
    }
    return nullptr;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    plumex::session::Session s(data, size);
    while (!s.done()) {
        s.step();
        const std::string broken = s.check();
        if (!broken.empty()) {
            printScript(s.script());
            std::fprintf(stderr, "%s\nbroken: %s\n", s.script().c_str(), broken.c_str());
            std::abort();
        }
    }
    if (const char* broken = exportsBroken(s.window().Document.Lines)) {
        printScript(s.script());
        std::fprintf(stderr, "%s\nbroken: %s\n", s.script().c_str(), broken);
        std::abort();
    }
    printScript(s.script());
    return 0;
}
