#include "shell/AutoSaveSchedule.h"

#include <algorithm>

namespace plumex {

AutoSaveSchedule::AutoSaveSchedule(int seconds)
    : periodMs_(seconds > 0 ? Millis{seconds} * 1000 : 0) {}

void AutoSaveSchedule::changed(Millis now) {
    if (!enabled()) return;
    if (!pending_) firstChange_ = now;
    pending_ = true;
}

void AutoSaveSchedule::clean() {
    pending_ = urgent_ = false;
}

void AutoSaveSchedule::focusLost() {
    if (pending_) urgent_ = true;
}

std::optional<AutoSaveSchedule::Millis> AutoSaveSchedule::dueAt() const {
    if (!enabled() || !pending_ || running_) return std::nullopt;
    if (urgent_) return firstChange_;
    Millis at = firstChange_ + periodMs_;
    if (lastStart_) at = std::max(at, *lastStart_ + periodMs_);
    return at;
}

void AutoSaveSchedule::started(Millis now) {
    pending_ = urgent_ = false;
    running_ = true;
    lastStart_ = now;
}

bool AutoSaveSchedule::finished(bool ok) {
    running_ = false;
    if (ok) {
        failing_ = false;
        return false;
    }
    // The changes are still in no copy; the next try waits a period from this one.
    if (!pending_) firstChange_ = *lastStart_;
    pending_ = true;
    const bool tell = !failing_;
    failing_ = true;
    return tell;
}

} // namespace plumex
