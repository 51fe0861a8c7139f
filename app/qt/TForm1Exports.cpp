// The main window's Illustrator and bitmap exports of the whole drawing.

#include "app/qt/TForm1.h"

#include "app/Languages.h"
#include "app/qt/MessageBoxes.h"
#include "app/qt/TExportBmpDlg.h"
#include "canvas/Window.h"
#include "export/BitmapExport.h"
#include "export/ContentBounds.h"
#include "export/IllustratorExport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProgressDialog>

#include <optional>

using namespace plumex;

namespace {

// What both exports frame: every path and the draft picture when one is loaded.
TCvRect exportBounds(const TCvWindow& window) {
    std::optional<TCvRect> draft;
    if (window.Draft().Present()) draft = window.Draft().Bounds();
    return contentBounds(window.Document.Lines, draft);
}

} // namespace

bool TForm1::ExportIllustrator(const std::string& fileName) {
    if (fileName.empty()) return false;
    std::string error;
    if (plumex::ExportIllustrator(fileName, canvas().Document.Lines, canvas().Scale(),
                                  exportBounds(canvas()), &error))
        return true;
    showError(this, error);
    return false;
}

bool TForm1::ExportBitmap(const std::string& fileName) {
    if (fileName.empty()) return false;
    const TCvRect bounds = exportBounds(canvas());
    if (!ExportBmpDlg_->run(bounds.right - bounds.left, bounds.top - bounds.bottom)) return false;
    // Events run while the picture renders: the paths are this export's own copy.
    const std::vector<TCvLine> lines = canvas().Document.Lines;
    QProgressDialog progress(QString::fromStdString(caption(D_SaveBmp)),
                             QString::fromStdString(caption(C_Cancel)), 0, 1000, this);
    progress.setObjectName("BitmapProgress");
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setAutoReset(false);
    QElapsedTimer sinceUpdate;
    sinceUpdate.start();
    const auto onRows = [&](std::int64_t done, std::int64_t total) {
        if (sinceUpdate.elapsed() < 40) return true;
        sinceUpdate.restart();
        progress.setValue(static_cast<int>(done * 1000 / total));
        QCoreApplication::processEvents();
        return !progress.wasCanceled();
    };
    const BitmapOutcome outcome =
        plumex::ExportBitmap(fileName, lines, ExportBmpDlg_->state.request(bounds), onRows);
    progress.close();
    switch (outcome.result) {
    case BitmapResult::Written:
        return true;
    case BitmapResult::Cancelled:
        return false;
    case BitmapResult::TooLarge:
        showError(this, message(errBitmap));
        return false;
    case BitmapResult::Failed:
        break;
    }
    showError(this, outcome.error);
    return false;
}
