// The main window's recovery copies: the autosave's hooks, the offer of earlier editors'
// copies at the first show, and SIGTERM or SIGHUP ending the program with its copy written.

#include "app/qt/TForm1.h"

#include "app/Languages.h"
#include "app/qt/MainStatusBar.h"
#include "app/qt/RecoveryAutoSave.h"
#include "app/qt/RecoveryDialog.h"
#include "canvas/Window.h"
#include "shell/DocumentCaption.h"
#include "shell/RecoveryFiles.h"

#include <QApplication>
#include <QGuiApplication>

using namespace plumex;

namespace {
// The status bar's free middle panel, where the copies' trouble is told.
constexpr int NoticePanel = 4;
} // namespace

void TForm1::setupRecovery() {
    RecoveryAutoSave::Setup setup;
    setup.folder = setup_.recoveryFolder;
    setup.seconds = Options.AutoSaveSeconds;
    autoSave_ = new RecoveryAutoSave(
        canvas().Document, setup,
        [this] { return fileName_.empty() ? recoveredOriginal_ : fileName_; }, this);
    connect(autoSave_, &RecoveryAutoSave::writeFailed, this, [this](const QString& reason) {
        StatusBar_->setPanelText(NoticePanel,
                                 QString::fromStdString(message(errAutoSave)) + " " + reason);
    });
    connect(autoSave_, &RecoveryAutoSave::terminationRequested, this, [this] {
        autoSave_->writeNow();
        FormClose();
        QCoreApplication::exit(0);
    });
    // Switching to another program is a moment worth a copy.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState s) {
        if (s != Qt::ApplicationActive) autoSave_->focusLost();
    });
}

void TForm1::offerRecovery() {
    if (setup_.recoveryFolder.empty()) return;
    const std::vector<RecoveryCopy> copies = findRecoveryCopies(setup_.recoveryFolder);
    if (copies.empty()) return;
    RecoveryDialog dialog(this, copies);
    dialog.exec();
    const std::vector<std::size_t> rows = dialog.rows();
    switch (dialog.choice()) {
    case RecoveryDialog::Choice::Recover:
        if (!rows.empty()) recoverCopy(copies[rows.front()]);
        break;
    case RecoveryDialog::Choice::Discard:
        for (std::size_t row : rows) removeRecoveryCopy(copies[row].paths);
        break;
    case RecoveryDialog::Choice::Later:
        break;
    }
}

bool TForm1::recoverCopy(const RecoveryCopy& copy) {
    if (!askToSave(false) || !openDocument(copy.paths.copy)) return false;
    // Untitled, so that Save asks where, and modified until then.
    SetDocumentName({});
    recoveredOriginal_ = copy.info.original;
    canvas().Document.MarkDraftChanged();
    setWindowTitle(
        QString::fromStdString(documentCaption(copy.info.original, message(msgNewName)).title));
    canvasChanged();
    if (autoSave_) autoSave_->adopt(copy.paths);
    return true;
}
