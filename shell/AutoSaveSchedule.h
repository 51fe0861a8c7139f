#pragma once
// When the recovery copy of a document is written: `seconds` after its first unsaved change,
// then at most every `seconds` while changes keep coming, and at once when the window loses
// the focus. One write at a time; a failed write is tried again a period later, and only the
// first failure of a run is worth telling the user.

#include <cstdint>
#include <optional>

namespace plumex {

class AutoSaveSchedule {
public:
    using Millis = std::int64_t; // a steady clock in milliseconds

    // 0 or less turns the copies off.
    explicit AutoSaveSchedule(int seconds);

    bool enabled() const { return periodMs_ > 0; }
    // A change not in any copy yet.
    void changed(Millis now);
    // Saved, new or undone to the saved state: nothing is pending any more.
    void clean();
    void focusLost();
    // When the next write should start; nothing while none is due or one is running.
    std::optional<Millis> dueAt() const;
    bool due(Millis now) const { return dueAt() && *dueAt() <= now; }
    // A write took the pending changes.
    void started(Millis now);
    // It ended; true when the user should now hear of a failure.
    bool finished(bool ok);
    bool pending() const { return pending_; }
    bool running() const { return running_; }

private:
    Millis periodMs_;
    bool pending_ = false;
    bool running_ = false;
    bool urgent_ = false;
    bool failing_ = false;
    Millis firstChange_ = 0;
    std::optional<Millis> lastStart_;
};

} // namespace plumex
