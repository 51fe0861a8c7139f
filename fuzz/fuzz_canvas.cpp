// Canvas session fuzzer: the input is a sequence of mouse, key, tool, option and menu
// operations on an editing window (tests/shell/CanvasSession.h); any broken state aborts.

#include "tests/shell/CanvasSession.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    plumex::session::Session s(data, size);
    const bool verbose = std::getenv("PLUMEX_SESSION_LOG") != nullptr;
    std::string log;
    while (!s.done()) {
        s.step(verbose ? &log : nullptr);
        const std::string broken = s.check();
        if (!broken.empty()) {
            std::fprintf(stderr, "%s\nbroken: %s\n", log.c_str(), broken.c_str());
            std::abort();
        }
    }
    if (verbose) std::fprintf(stderr, "%s", log.c_str());
    return 0;
}
