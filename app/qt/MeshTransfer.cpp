#include "app/qt/MeshTransfer.h"

#include "app/Languages.h"
#include "app/qt/FileDialogs.h"
#include "app/qt/MessageBoxes.h"
#include "app/qt/TMeshDlg.h"
#include "canvas/Window.h"
#include "export/MeshExport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include <atomic>
#include <thread>

namespace plumex {
namespace {

struct MeshDialogState {
    std::string folder;
    MeshDlgState fields;
};

MeshDialogState& state() {
    static MeshDialogState s;
    return s;
}

// While the worker runs: a busy cursor, and the window answers nothing but the progress
// dialog (window-modal).
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

MeshOutcome exportOnWorker(QWidget* parent, const std::string& path,
                           const std::vector<TCvLine>& lines, const MeshOptions& options) {
    std::atomic<bool> cancel{false};
    std::atomic<std::size_t> done{0}, total{1};
    MeshOutcome outcome;
    BusyCursor busy;
    QProgressDialog progress(QString::fromStdString(caption(C_MeshWriting)),
                             QString::fromStdString(caption(C_Cancel)), 0, 1000, parent);
    progress.setObjectName("MeshProgress");
    progress.setWindowTitle(QString::fromStdString(caption(D_ExportMesh)));
    progress.setWindowModality(Qt::WindowModal);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    progress.setMinimumDuration(0);
    progress.hide(); // shown only when the export takes a moment, so small ones do not flash
    QObject::connect(&progress, &QProgressDialog::canceled, [&] { cancel = true; });
    QEventLoop loop;
    QElapsedTimer since;
    since.start();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!progress.isVisible() && since.elapsed() > 150) progress.show();
        progress.setValue(static_cast<int>(done * 1000 / std::max<std::size_t>(total, 1)));
    });
    poll.start(40);
    std::thread worker([&] {
        const PathRefs paths = pathRefs(lines);
        outcome = MeshExportFile(path, paths, options, [&](std::size_t d, std::size_t t) {
            done = d;
            total = t;
            return !cancel;
        });
        // Queued: a quit posted before exec() starts still ends it.
        QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    return outcome;
}

} // namespace

bool exportMeshDialog(QWidget* parent, const TCvWindow& canvas) {
    // The worker's own copy: events go on while it runs.
    const std::vector<TCvLine> lines = canvas.Document.Lines;
    if (lines.empty()) return false;
    const FileDialogRequest request{
        true, caption(D_ExportMesh), "Mesh File(*.stl *.obj)", "stl", {}};
    const std::string path = runFileDialog(parent, request, state().folder);
    if (path.empty()) return false;
    TMeshDlg dlg(parent);
    dlg.state = state().fields;
    MeshOptions options;
    const bool accepted = dlg.run(options);
    state().fields = dlg.state;
    if (!accepted) return false;
    const MeshOutcome outcome = exportOnWorker(parent, path, lines, options);
    switch (outcome.result) {
    case MeshResult::Written:
        return true;
    case MeshResult::Cancelled:
        return false;
    case MeshResult::Nothing:
        showError(parent, message(errMeshNothing));
        return false;
    case MeshResult::Failed:
        break;
    }
    showError(parent, outcome.error);
    return false;
}

} // namespace plumex
