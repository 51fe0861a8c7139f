// Canvas session fuzzer: the input is a sequence of mouse, key, tool, option and menu
// operations on an editing window (tests/shell/CanvasSession.h); any broken state aborts.
// With PLUMEX_SESSION_LOG set the session is printed as a script that the session tests
// replay (tests/shell/sessions/); set to a file name, the script goes there.

#include "tests/shell/CanvasSession.h"

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
    printScript(s.script());
    return 0;
}
