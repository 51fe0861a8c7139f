#pragma once
// The recovery folder: copies of unsaved documents, each a .plx file with a small info file
// beside it naming the document's own file, the time of the copy and the editor's process.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace plumex {

// $XDG_STATE_HOME/plumex/recovery, by default ~/.local/state/plumex/recovery; empty when
// neither variable names an absolute folder.
std::string recoveryFolder(const char* stateHome, const char* home);
std::string recoveryFolder();

struct RecoveryInfo {
    std::string original;  // the document's own file; empty for a document never saved
    std::int64_t time = 0; // seconds since 1970 when the copy was taken
    std::int64_t pid = 0;  // the editor that wrote it

    friend bool operator==(const RecoveryInfo&, const RecoveryInfo&) = default;
};

std::string formatRecoveryInfo(const RecoveryInfo& info);
// The info of an info file's bytes; nothing when they are not one, in whole.
std::optional<RecoveryInfo> parseRecoveryInfo(std::span<const std::uint8_t> bytes);

// The copy and info file names of process `pid` in `folder`.
struct RecoveryPaths {
    std::string copy;
    std::string info;
    std::string crashCopy; // written at a fatal signal, then renamed to `copy`
    std::string crashInfo;
};
RecoveryPaths recoveryPaths(const std::string& folder, std::int64_t pid);

struct RecoveryCopy {
    RecoveryPaths paths;
    RecoveryInfo info;
};

// Whether process `pid` exists (one we may not signal counts).
bool processRunning(std::int64_t pid);

// The copies in `folder` whose editor is no longer running, newest first. Crash temporaries
// of such editors (opened at start, never filled) are removed; everything else is left alone.
std::vector<RecoveryCopy>
findRecoveryCopies(const std::string& folder,
                   const std::function<bool(std::int64_t)>& running = processRunning);

// Removes the copy and its info file; true when neither is left.
bool removeRecoveryCopy(const RecoveryPaths& paths);

} // namespace plumex
