#pragma once
// The last word of a dying editor. At a fatal signal (SIGSEGV, SIGABRT, SIGBUS, SIGFPE) the
// drawing's bytes, serialised beforehand by the autosave, go straight to files opened at the
// start in the recovery folder, with nothing but async-signal-safe calls; they are renamed to
// the recovery copy and its info file and the signal then ends the process as it would have.
// SIGTERM and SIGHUP only write a byte to a pipe the event loop watches, so the window can
// save its copy normally and quit.

#include "shell/RecoveryFiles.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace plumex {

struct CrashImage {
    std::vector<std::uint8_t> copy; // the .plx bytes
    std::vector<std::uint8_t> info; // the info file's bytes
};

class CrashCopy {
public:
    // Opens the crash files of `paths` and installs the fatal handlers; false (nothing
    // installed) when the files cannot be opened. One at a time in a process.
    static bool install(const RecoveryPaths& paths);
    // Restores the handlers and removes the unused crash files.
    static void uninstall();
    // What a fatal signal writes from now on; null for nothing. The previous image stays
    // alive until the next call, so a signal arriving meanwhile still reads whole bytes.
    static void publish(std::shared_ptr<const CrashImage> image);

    // A pipe whose read end gets one byte per SIGTERM or SIGHUP; -1 when it cannot be made.
    static int terminationPipe();
};

} // namespace plumex
