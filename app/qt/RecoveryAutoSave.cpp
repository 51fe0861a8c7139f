#include "app/qt/RecoveryAutoSave.h"

#include "model/Document.h"
#include "shell/CrashCopy.h"

#include <QSocketNotifier>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <unistd.h>

namespace plumex {

namespace {
// A change reaches the bytes kept for a fatal signal this long after the typing stops.
constexpr int RefreshDelayMs = 300;
} // namespace

RecoveryAutoSave::RecoveryAutoSave(TCvDocument& document, Setup setup,
                                   std::function<std::string()> originalName, QObject* parent)
    : QObject(parent), document_(document), originalName_(std::move(originalName)),
      schedule_(setup.folder.empty() ? 0 : setup.seconds) {
    clock_.start();
    due_.setSingleShot(true);
    refresh_.setSingleShot(true);
    refresh_.setInterval(RefreshDelayMs);
    connect(&due_, &QTimer::timeout, this, [this] {
        if (schedule_.due(now())) write();
        arm();
    });
    connect(&refresh_, &QTimer::timeout, this, [this] {
        if (writer_ && document_.IsModified() && !schedule_.running()) {
            writer_->post(RecoveryWriter::Job::Refresh, snapshot());
            copyMayExist_ = true;
        }
    });
    if (setup.folder.empty()) return;
    if (setup.signalHandlers) {
        const int fd = CrashCopy::terminationPipe();
        if (fd >= 0) {
            termination_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
            connect(termination_, &QSocketNotifier::activated, this, [fd, this] {
                char bytes[16];
                while (::read(fd, bytes, sizeof bytes) > 0) {
                }
                emit terminationRequested();
            });
        }
    }
    if (!schedule_.enabled()) return;
    std::error_code ec;
    std::filesystem::create_directories(setup.folder, ec);
    std::filesystem::permissions(setup.folder, std::filesystem::perms::owner_all, ec);
    const RecoveryPaths paths = recoveryPaths(setup.folder, ::getpid());
    if (setup.signalHandlers) crashHandlers_ = CrashCopy::install(paths);
    writer_ = std::make_unique<RecoveryWriter>(
        paths,
        [this](bool ok, const std::string& error) {
            QMetaObject::invokeMethod(
                this, [this, ok, error] { finished(ok, error); }, Qt::QueuedConnection);
        },
        crashHandlers_, std::move(setup.writer));
}

RecoveryAutoSave::~RecoveryAutoSave() {
    writer_.reset();
    if (crashHandlers_) CrashCopy::uninstall();
}

std::shared_ptr<const RecoverySnapshot> RecoveryAutoSave::snapshot() {
    return taker_.take(
        document_, {originalName_(), static_cast<std::int64_t>(std::time(nullptr)), ::getpid()});
}

void RecoveryAutoSave::documentChanged() {
    if (!writer_) return;
    if (!document_.IsModified()) {
        if (copyMayExist_ || schedule_.pending()) documentClean();
        return;
    }
    if (!taker_.changedSince(document_)) return;
    schedule_.changed(now());
    refresh_.start();
    arm();
}

void RecoveryAutoSave::focusLost() {
    if (!writer_) return;
    schedule_.focusLost();
    arm();
}

void RecoveryAutoSave::documentClean() {
    if (!writer_) return;
    schedule_.clean();
    due_.stop();
    refresh_.stop();
    writer_->post(RecoveryWriter::Job::Remove);
    writer_->wait();
    copyMayExist_ = false;
}

void RecoveryAutoSave::writeNow() {
    if (!writer_ || !document_.IsModified()) return;
    schedule_.started(now());
    writer_->post(RecoveryWriter::Job::Write, snapshot());
    copyMayExist_ = true;
    writer_->wait();
}

void RecoveryAutoSave::adopt(const RecoveryPaths& earlier) {
    if (!writer_) return;
    adopted_ = earlier;
    schedule_.changed(now());
    schedule_.focusLost();
    arm();
}

void RecoveryAutoSave::waitForWorker() {
    if (writer_) writer_->wait();
}

void RecoveryAutoSave::arm() {
    const auto at = schedule_.dueAt();
    if (!at) {
        due_.stop();
        return;
    }
    due_.start(static_cast<int>(std::clamp<std::int64_t>(*at - now(), 0, 1 << 30)));
}

void RecoveryAutoSave::write() {
    refresh_.stop();
    schedule_.started(now());
    writer_->post(RecoveryWriter::Job::Write, snapshot());
    copyMayExist_ = true;
}

void RecoveryAutoSave::finished(bool ok, const std::string& error) {
    const bool tell = schedule_.finished(ok);
    // Saved while the copy was being written: the Remove queued behind it has taken it.
    if (!document_.IsModified()) schedule_.clean();
    if (ok && adopted_) {
        removeRecoveryCopy(*adopted_);
        adopted_.reset();
    }
    if (tell) emit writeFailed(QString::fromStdString(error));
    arm();
}

} // namespace plumex
