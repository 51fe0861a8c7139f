// The document commands of the main window: new, open, save, recent files, a second window,
// and the POV-Ray export to the clipboard and to include files.

#include "app/qt/TForm1.h"

#include "app/qt/TPictDialog.h"

#include "app/LanguageFile.h"
#include "app/Languages.h"
#include "app/qt/FileDialogs.h"
#include "app/qt/MainStatusBar.h"
#include "app/qt/MeshTransfer.h"
#include "app/qt/MessageBoxes.h"
#include "app/qt/PovFindingsList.h"
#include "app/qt/PovPreviewPanel.h"
#include "app/qt/TPOVArrayDlg.h"
#include "app/qt/TPOVDlg.h"
#include "canvas/qt/CanvasWidget.h"
#include "export/PovCheck.h"
#include "export/PovExport.h"
#include "trace/qt/TTraceDlg.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QProcess>

#include <filesystem>

using namespace plumex;

namespace {

// The status bar's free middle panel.
constexpr int PovFindingsPanel = 4;

constexpr const char* documentFilter = "Plumex Data File(*.plx)";

FileDialogRequest documentDialog(bool save, int title, std::string initialName = {}) {
    return {save, caption(title), documentFilter, "plx", std::move(initialName)};
}

} // namespace

bool TForm1::modified() const {
    return canvas().Document.IsModified();
}

// The save question before the document is replaced; false when the command must stop.
bool TForm1::askToSave(bool clearOnNo) {
    const TCvDocument& doc = canvas().Document;
    if (!modified() ||
        (doc.Lines.empty() && doc.Settings.draft.fileName.empty() && fileName_.empty()))
        return true;
    switch (confirmYesNoCancel(this, message(msgQSave))) {
    case MessageAnswer::Yes:
        Save1Click();
        return !modified();
    case MessageAnswer::No:
        if (clearOnNo) canvas().Document.UndoBuffer.Clear();
        return true;
    default:
        return false;
    }
}

bool TForm1::openDocument(const std::string& path) {
    try {
        return canvas().LoadFromFile(path);
    } catch (const std::exception& e) {
        showError(this, e.what());
        return false;
    }
}

bool TForm1::saveDocument(const std::string& path) {
    std::string error;
    if (canvas().SaveToFile(path, &error)) {
        canvas().Changed();
        return true;
    }
    showError(this, error.empty() ? "Could not save " + path : error);
    return false;
}

void TForm1::New1Click() {
    if (!askToSave(true) || modified()) return;
    canvas().NewDocument();
    SetDocumentName({});
}

void TForm1::Open1Click() {
    if (!askToSave(false)) return;
    const std::string path = runFileDialog(this, documentDialog(false, D_Open), openFolder_);
    if (path.empty() || !openDocument(path)) return;
    SetDocumentName(path);
    putRecent(path);
}

void TForm1::OpenNew1Click() {
    // The new process starts from what this one has set so far.
    Options.MRU = recentFiles().items();
    Options.Save(setup_.settingsPath);
    const std::string path = runFileDialog(this, documentDialog(false, D_Open), openNewFolder_);
    if (path.empty()) return;
    emit secondProcessRequested(QString::fromStdString(path));
    if (!setup_.programPath.empty())
        QProcess::startDetached(QString::fromStdString(setup_.programPath),
                                {QString::fromStdString(path)});
}

void TForm1::Save1Click() {
    if (fileName_.empty())
        runSaveDialog(false);
    else
        saveDocument(fileName_);
}

void TForm1::SaveAs1Click() {
    runSaveDialog(true);
}

void TForm1::runSaveDialog(bool saveAs) {
    std::string initial;
    if (saveAs && !fileName_.empty())
        initial = std::filesystem::path(fileName_).replace_extension().string();
    const std::string path =
        runFileDialog(this, documentDialog(true, saveAs ? D_SaveAs : D_Save, initial), openFolder_);
    if (path.empty() || !saveDocument(path)) return;
    SetDocumentName(path);
    putRecent(path);
}

void TForm1::RecentFileClick(const std::string& path) {
    if (path == fileName_) return;
    if (!askToSave(false) || !openDocument(path)) return;
    SetDocumentName(path);
    putRecent(path);
}

void TForm1::LangFileOut1Click() {
    const TLanguage& language = languages().current();
    std::string proposal = (std::filesystem::path(setup_.languageFolder) / language.Name).string();
    FileDialogRequest request{true, caption(M_LangFileOut),
                              "Plumex Language Difinition File(*.pll)", "pll", proposal};
    const std::string path = runFileDialog(this, request, languageFileFolder_);
    if (!path.empty()) writeLanguageTemplate(path, language);
}

bool TForm1::POVCopy1Click(int tag) {
    return ExportPov(tag, {});
}

bool TForm1::ExportFileClick(int tag) {
    if (tag == 14) return exportMeshDialog(this, canvas());
    if (tag == 11 || tag == 12) {
        const bool ai = tag == 11;
        FileDialogRequest request =
            ai ? FileDialogRequest{true,
                                   "Export Illustrator Data",
                                   "Adobe Illustrator 88 Format(*.ai)",
                                   "ai",
                                   {}}
               : FileDialogRequest{true, "Export Bitmap", "Bitmap File(*.bmp)", "bmp", {}};
        const std::string path = runFileDialog(this, request, ai ? aiFolder_ : bmpFolder_);
        if (path.empty()) return false;
        return ai ? ExportIllustrator(path) : ExportBitmap(path);
    }
    if (tag < 0 || tag > 5) return false;
    if (canvas().Document.CountSelected() == 0) return false;
    FileDialogRequest request{
        true, "POV-Ray Include File", "POV-Ray Include File(*.inc)", "inc", {}};
    const std::string path = runFileDialog(this, request, povFolder_);
    return !path.empty() && ExportPov(tag, path);
}

bool TForm1::ExportPov(int mode, const std::string& fileName) {
    if (mode < 0 || mode > static_cast<int>(PovMode::Sor)) return false;
    const std::vector<TCvLine> selection = canvas().Document.CollectSelected();
    if (selection.empty()) return false;
    auto povMode = static_cast<PovMode>(mode);
    // Only the dialog that opens checks the selection: each check of a large one takes a while.
    if (povMode == PovMode::Array)
        POVArrayDlg_->setSelection(selection);
    else
        POVDlg_->setSelection(selection, selectedPlaces());
    const bool accepted = povMode == PovMode::Array ? POVArrayDlg_->run()
                                                    : POVDlg_->run(povMode, latheEdgesFor(povMode, selection));
    if (!accepted) return false;
    // A profile that cannot be a surface of revolution may have been sent to the lathe.
    if (povMode != PovMode::Array) povMode = POVDlg_->mode();
    // The preview shows the prism and lathe options the dialog now holds.
    if (PovPreview_) PovPreview_->documentChanged();
    const PathRefs paths = pathRefs(selection);
    const PovRequest request =
        PovExportRequest(paths, povMode, POVDlg_->state, POVArrayDlg_->state);
    if (!PovHasAnyText(paths, request)) return false;
    if (fileName.empty()) {
        const std::string text = PovExportText(selection, request);
        QGuiApplication::clipboard()->setText(QString::fromStdString(text));
        // The export went through; the findings still deserve a word. The dialog's list already
        // holds them for the fields as accepted, unless its check is still running.
        const PovFindingsList* listed =
            povMode == PovMode::Array ? POVArrayDlg_->Findings : POVDlg_->Findings;
        StatusBar_->setPanelText(PovFindingsPanel,
                                 findingsSummary(!listed->checking()
                                                     ? listed->findings()
                                                     : PovCheck(selection, povMode, POVDlg_->state,
                                                                POVArrayDlg_->state)));
        return true;
    }
    // The file gets the text as it is made, never whole in memory.
    std::string error;
    if (PovExportFile(fileName, paths, request, &error)) return true;
    showError(this, error);
    return false;
}

// A picture that cannot be decoded leaves the previous draft and says why, so a file cut
// short is not taken for one that loaded.
void TForm1::LoadDraft1Click() {
    TPictDialog dialog(this, QString::fromStdString(caption(D_LoadDraft)));
    if (dialog.exec() != QDialog::Accepted || dialog.FileName().empty()) return;
    std::string reason;
    if (!canvas().LoadDraft(dialog.FileName(), dialog.Width(), &reason))
        showError(this, draftFailureText(dialog.FileName(), reason));
}

void TForm1::TraceDraft1Click() {
    if (const std::string problem = traceDraft(this, canvas()); !problem.empty())
        showError(this, problem);
}
