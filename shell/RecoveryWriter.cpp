#include "shell/RecoveryWriter.h"

#include "model/Document.h"
#include "model/DocumentFile.h"
#include "model/FileBytes.h"
#include "shell/CrashCopy.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace plumex {

std::vector<std::uint8_t> serialiseSnapshot(const RecoverySnapshot& snapshot) {
    return writeDocument(
        snapshot.lines.lineCount(),
        [&snapshot](std::size_t i) -> const TCvLine& { return snapshot.lines.line(i); },
        snapshot.settings);
}

bool RecoverySnapshotTaker::changedSince(const TCvDocument& document) const {
    if (!last_ || !lastSettings_ || last_->lineCount() != document.Lines.size() ||
        *lastSettings_ != document.Settings)
        return true;
    const auto written = document.Lines.changedSince(mark_);
    return !written || !written->empty();
}

std::shared_ptr<const RecoverySnapshot> RecoverySnapshotTaker::take(const TCvDocument& document,
                                                                    RecoveryInfo info) {
    auto snap = std::make_shared<RecoverySnapshot>();
    const std::vector<TCvLine>& lines = document.Lines.vector();
    const auto written = last_ ? document.Lines.changedSince(mark_) : std::nullopt;
    if (written && last_->lineCount() == lines.size()) {
        // Only the paths written since the last snapshot are compared and copied.
        std::vector<int> changed(written->begin(), written->end());
        std::sort(changed.begin(), changed.end());
        changed.erase(std::unique(changed.begin(), changed.end()), changed.end());
        snap->lines = TUndoInfo::captureChanged(lines, {}, {}, lines.size(), *last_, changed);
    } else {
        const TUndoBuffer& undo = document.UndoBuffer;
        const TUndoInfo* base = last_ ? &*last_
                                : undo.size() > 0
                                    ? &undo.at(std::min(undo.current(), undo.size() - 1))
                                    : nullptr;
        snap->lines = TUndoInfo::capture(lines, base);
    }
    mark_ = document.Lines.mark();
    last_ = snap->lines;
    lastSettings_ = document.Settings;
    snap->settings = document.Settings;
    snap->info = std::move(info);
    return snap;
}

RecoveryWriter::RecoveryWriter(RecoveryPaths paths, Finished finished, bool crashImages,
                               FileWriter writer)
    : paths_(std::move(paths)), finished_(std::move(finished)), crashImages_(crashImages),
      writer_(writer ? std::move(writer)
                     : FileWriter([](const std::string& path, std::span<const std::uint8_t> b) {
                           writeFileAtomically(path, b);
                       })),
      thread_([this] { run(); }) {}

RecoveryWriter::~RecoveryWriter() {
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void RecoveryWriter::post(Job job, std::shared_ptr<const RecoverySnapshot> snapshot) {
    {
        const std::lock_guard lock(mutex_);
        if (job == Job::Remove) {
            queue_.clear();
        } else if (!queue_.empty() && queue_.back().job != Job::Remove) {
            if (queue_.back().job == Job::Write) job = Job::Write;
            queue_.pop_back();
        }
        queue_.push_back({job, std::move(snapshot)});
    }
    wake_.notify_all();
}

void RecoveryWriter::wait() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return queue_.empty() && !busy_; });
}

void RecoveryWriter::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stop_ || !queue_.empty(); });
        if (queue_.empty()) return; // stopping with nothing left
        Pending pending = std::move(queue_.front());
        queue_.pop_front();
        busy_ = true;
        lock.unlock();
        perform(pending);
        pending = {};
        lock.lock();
        busy_ = false;
        if (queue_.empty()) idle_.notify_all();
    }
}

void RecoveryWriter::perform(const Pending& pending) {
    if (pending.job == Job::Remove) {
        if (crashImages_) CrashCopy::publish(nullptr);
        removeRecoveryCopy(paths_);
        return;
    }
    bool ok = false;
    std::string error;
    try {
        auto image = std::make_shared<CrashImage>();
        image->copy = serialiseSnapshot(*pending.snapshot);
        const std::string info = formatRecoveryInfo(pending.snapshot->info);
        image->info.assign(info.begin(), info.end());
        std::shared_ptr<const CrashImage> done = std::move(image);
        if (crashImages_) CrashCopy::publish(done);
        if (pending.job == Job::Write) {
            // The folder may have gone since the start.
            std::error_code ec;
            std::filesystem::create_directories(std::filesystem::path(paths_.copy).parent_path(),
                                                ec);
            // The copy before its info file: an info file never names a copy not yet there.
            writer_(paths_.copy, done->copy);
            writer_(paths_.info, done->info);
        }
        ok = true;
    } catch (const std::system_error& e) {
        // The system's reason ("No space left on device") fits a status bar; the path does not.
        error = e.code().message();
    } catch (const std::exception& e) {
        error = e.what();
    }
    if (pending.job == Job::Write && finished_) finished_(ok, error);
}

} // namespace plumex
