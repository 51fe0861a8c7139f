#pragma once
// The window's side of the recovery copies: notices changes and focus loss, takes the
// snapshot on the window's thread and hands it to the worker; the worker's results come back
// as queued calls. It also turns SIGTERM and SIGHUP into a signal of the event loop.

#include "model/UndoBuffer.h"
#include "shell/AutoSaveSchedule.h"
#include "shell/RecoveryWriter.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QSocketNotifier;
class TCvDocument;

namespace plumex {

class RecoveryAutoSave : public QObject {
    Q_OBJECT
public:
    struct Setup {
        std::string folder;                // empty: no copies, no signal handling
        int seconds = 30;                  // 0: no copies
        bool signalHandlers = true;        // fatal and termination signals (off in widget tests)
        RecoveryWriter::FileWriter writer; // empty: writeFileAtomically
    };
    RecoveryAutoSave(TCvDocument& document, Setup setup, std::function<std::string()> originalName,
                     QObject* parent = nullptr);
    ~RecoveryAutoSave() override;

    bool enabled() const { return writer_ != nullptr; }
    const RecoveryPaths* paths() const { return writer_ ? &writer_->paths() : nullptr; }
    // The document changed (or may have): schedules a copy, or removes it once clean.
    void documentChanged();
    void focusLost();
    // Saved, new, or closed on purpose: the copy goes, and the worker has finished.
    void documentClean();
    // Writes the copy now and waits for it (at SIGTERM and SIGHUP).
    void writeNow();
    // The document now holds an earlier editor's copy: it is written as this editor's
    // copy at once, and the old one removed once that worked.
    void adopt(const RecoveryPaths& earlier);
    // Waits for the worker (tests).
    void waitForWorker();

signals:
    void terminationRequested();
    // A copy could not be written; said once until a copy is written again.
    void writeFailed(const QString& reason);

private:
    std::shared_ptr<const RecoverySnapshot> snapshot();
    void arm();
    void write();
    void finished(bool ok, const std::string& error);
    std::int64_t now() const { return clock_.elapsed(); }

    TCvDocument& document_;
    std::function<std::string()> originalName_;
    AutoSaveSchedule schedule_;
    QElapsedTimer clock_;
    QTimer due_;
    QTimer refresh_;
    RecoverySnapshotTaker taker_;
    bool copyMayExist_ = false;
    std::optional<RecoveryPaths> adopted_;
    QSocketNotifier* termination_ = nullptr;
    bool crashHandlers_ = false;
    std::unique_ptr<RecoveryWriter> writer_; // last: its thread ends first
};

} // namespace plumex
