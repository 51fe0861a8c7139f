#include "app/qt/SvgTransfer.h"

#include "app/Languages.h"
#include "app/qt/FileDialogs.h"
#include "app/qt/MessageBoxes.h"
#include "canvas/Window.h"
#include "commands/ImportPaths.h"
#include "export/SvgExport.h"
#include "model/ReadError.h"
#include "svg/SvgImport.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>

#include <atomic>
#include <exception>
#include <thread>

namespace plumex {
namespace {

constexpr const char* SvgFilter = "SVG File(*.svg *.svgz)";

// While a file is read on a worker thread: a busy cursor, and Escape cancels.
class CancelOnEscape : public QObject {
public:
    explicit CancelOnEscape(std::atomic<bool>& cancel) : cancel_(cancel) {
        qApp->installEventFilter(this);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~CancelOnEscape() override {
        QApplication::restoreOverrideCursor();
        qApp->removeEventFilter(this);
    }
    CancelOnEscape(const CancelOnEscape&) = delete;
    CancelOnEscape& operator=(const CancelOnEscape&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            cancel_ = true;
            return true;
        }
        // The window stays painted, but nothing else reaches it until the import ends.
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress ||
            event->type() == QEvent::MouseButtonDblClick || event->type() == QEvent::Close)
            return true;
        return QObject::eventFilter(watched, event);
    }

private:
    std::atomic<bool>& cancel_;
};

// The import on a worker thread, the window's events going on meanwhile.
std::vector<TCvLine> importCancellable(const std::string& path, SvgImportOptions options) {
    std::atomic<bool> cancel{false};
    options.cancel = &cancel;
    std::vector<TCvLine> paths;
    std::exception_ptr error;
    CancelOnEscape guard(cancel);
    QEventLoop loop;
    std::thread worker([&] {
        try {
            paths = ImportSvgFile(path, options);
        } catch (...) {
            error = std::current_exception();
        }
        // Queued: a quit posted before exec() starts still ends it.
        QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    if (error) std::rethrow_exception(error);
    return paths;
}

struct SvgDialogState {
    std::string importFolder;
    std::string exportFolder;
    FileDialogOption makeHoles{caption(C_MakeHole), true};
    // The same as svg2plx --filled-only: stroke-only outlines stay out.
    FileDialogOption filledOnly{caption(C_SvgFilledOnly), false};
};

SvgDialogState& state() {
    static SvgDialogState s;
    return s;
}

} // namespace

bool importSvgDialog(QWidget* parent, TCvWindow& canvas) {
    const FileDialogRequest request{false, "Import SVG", SvgFilter, "svg", {}};
    SvgDialogState& s = state();
    // Captions follow the language chosen since the last import.
    s.makeHoles.text = caption(C_MakeHole);
    s.filledOnly.text = caption(C_SvgFilledOnly);
    const std::string path =
        runFileDialog(parent, request, s.importFolder, {&s.makeHoles, &s.filledOnly});
    if (path.empty()) return false;
    std::vector<TCvLine> paths;
    try {
        paths = importCancellable(
            path, {.makeHoles = s.makeHoles.value, .filledOnly = s.filledOnly.value});
    } catch (const SvgImportCancelled&) {
        return false;
    } catch (const ReadError& e) {
        showError(parent, e.what());
        return false;
    }
    if (paths.empty()) {
        showError(parent, "No shapes found in the SVG file");
        return false;
    }
    // As the canvas's own commands do: a pen path in progress ends before the drawing changes.
    canvas.EndPenPath();
    if (!ImportPaths(canvas.Document, paths, canvas.PenPath())) return false;
    canvas.Invalidate();
    canvas.Changed();
    return true;
}

bool exportSvgDialog(QWidget* parent, const TCvWindow& canvas) {
    const std::vector<TCvLine>& lines = canvas.Document.Lines;
    if (lines.empty()) return false;
    FileDialogRequest request{true, "SVG File", SvgFilter, "svg", {}};
    const std::string path = runFileDialog(parent, request, state().exportFolder);
    if (path.empty()) return false;
    std::string error;
    if (SvgExportFile(path, lines, &error)) return true;
    showError(parent, error);
    return false;
}

} // namespace plumex
