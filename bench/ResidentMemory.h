#pragma once
// Resident memory of this process, from /proc/self/status, for benchmarks that report what an
// operation holds at its peak.

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <malloc.h>
#include <string>

namespace plumex::bench {

// A field of /proc/self/status in KiB ("VmRSS:", "VmHWM:"), or -1.
inline long kibibytes(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0) return std::atol(line.c_str() + std::strlen(field));
    return -1;
}

// Forgets the peak resident size so far, so the next peak is the operation's own.
inline bool resetPeak() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return static_cast<bool>(clear);
}

// The peak resident memory `operation` adds, in KiB (-1 when it cannot be measured). Freed
// memory kept by the allocator is handed back first, so that reusing it is not mistaken for
// needing none.
template <class Operation> long addedPeak(Operation&& operation) {
    ::malloc_trim(0);
    const long before = kibibytes("VmRSS:");
    if (!resetPeak()) return -1;
    operation();
    return kibibytes("VmHWM:") - before;
}

} // namespace plumex::bench
