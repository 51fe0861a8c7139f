#pragma once
// The autosave's worker thread. The window hands it snapshots (paths shared with the
// document, never written again) and it serialises them, keeps the bytes for a fatal signal
// and writes the recovery copy atomically; nothing else is shared with the window's thread.

#include "model/DocumentSettings.h"
#include "model/UndoBuffer.h"
#include "shell/RecoveryFiles.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>

class TCvDocument;
#include <vector>

namespace plumex {

struct RecoverySnapshot {
    TUndoInfo lines;
    DocumentSettings settings;
    RecoveryInfo info;
};

// Takes snapshots of a document on the window's thread: paths not written since the last
// snapshot (or, for the first, equal to the undo history's) are shared, not copied.
class RecoverySnapshotTaker {
public:
    std::shared_ptr<const RecoverySnapshot> take(const TCvDocument& document, RecoveryInfo info);
    // Whether the document may differ from the last snapshot.
    bool changedSince(const TCvDocument& document) const;

private:
    std::optional<TUndoInfo> last_;
    std::uint64_t mark_ = 0;
    std::optional<DocumentSettings> lastSettings_;
};

class RecoveryWriter {
public:
    enum class Job {
        Refresh, // serialise for a fatal signal only
        Write,   // and write the recovery copy
        Remove,  // the document is clean: no copy, nothing for a fatal signal
    };
    // Writes a whole file or throws; writeFileAtomically unless a test says otherwise.
    using FileWriter = std::function<void(const std::string&, std::span<const std::uint8_t>)>;
    // Called on the worker thread after each Write: whether it reached the disk, and why not.
    using Finished = std::function<void(bool ok, const std::string& error)>;

    RecoveryWriter(RecoveryPaths paths, Finished finished, bool crashImages = true,
                   FileWriter writer = {});
    // Finishes the jobs already handed over, then ends the thread.
    ~RecoveryWriter();
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;

    // A newer snapshot replaces one still waiting (a Write stays a Write); a Remove drops
    // every waiting snapshot.
    void post(Job job, std::shared_ptr<const RecoverySnapshot> snapshot = {});
    // Returns once every job handed over so far is done.
    void wait();
    const RecoveryPaths& paths() const { return paths_; }

private:
    struct Pending {
        Job job;
        std::shared_ptr<const RecoverySnapshot> snapshot;
    };
    void run();
    void perform(const Pending& pending);

    const RecoveryPaths paths_;
    const Finished finished_;
    const bool crashImages_;
    const FileWriter writer_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<Pending> queue_;
    bool busy_ = false;
    bool stop_ = false;
    std::thread thread_; // last: starts once everything above exists
};

// The .plx bytes of a snapshot.
std::vector<std::uint8_t> serialiseSnapshot(const RecoverySnapshot& snapshot);

} // namespace plumex
