#pragma once
// The main window: one canvas with its document, the menus, the tool and option panel and the
// status bar. It routes every command to the canvas, keeps the caption and the recent files,
// asks before a modified document is replaced and stores the settings when it closes.

#include "app/Options.h"
#include "shell/MenuState.h"
#include "shell/RecentFiles.h"
#include "shell/ShellHost.h"

#include <QMainWindow>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QActionGroup;
class QFrame;
class QMenu;
class TCvWindow;
class QDockWidget;
class TExportBmpDlg;
class TKeyInfoDlg;
class TPOVArrayDlg;
class TPropertyDlg;
class TPOVDlg;

namespace plumex {
class CanvasWidget;
class CommandRunner;
class MainStatusBar;
class PovPreviewPanel;
class RecoveryAutoSave;
struct RecoveryCopy;
struct Command;
class SpeedPanel;
struct MouseEvent;

// Where the window finds its files; the defaults are the program's own.
struct FormSetup {
    std::string settingsPath;           // the settings file
    std::string languageFolder;         // folder of *.pll files
    std::string programPath;            // the executable started by "Open File In New Window"
    std::vector<std::string> arguments; // the command line after the program name
    std::string recoveryFolder;         // recovery copies; empty: none written or offered
    static FormSetup fromProgram(const std::vector<std::string>& arguments);
};
} // namespace plumex

class TForm1 : public QMainWindow, public plumex::ShellHost {
    Q_OBJECT
public:
    explicit TForm1(plumex::FormSetup setup, QWidget* parent = nullptr);
    ~TForm1() override;

    plumex::TCvOptions Options;

    TCvWindow& canvas() const;
    // Option menu: the colour scheme dialog; Object menu: the property panel.
    void SetColors1Click() override;
    void Property1Click() override;
    TPropertyDlg* propertyPanel() const { return PropertyDlg_; }
    TKeyInfoDlg* keyInfoDlg() const { return KeyInfoDlg_; }
    plumex::CanvasWidget* canvasWidget() const { return canvas_; }
    const std::string& FileName() const { return fileName_; }
    const plumex::RecentFiles& recentFiles() const { return mru_; }
    // The menu item or submenu entry by component name ("Save1", "Export1").
    QAction* action(const std::string& name) const;
    QMenu* menu(const std::string& name) const;
    bool modified() const;

    plumex::SpeedPanel* speedPanel() const { return SpeedPanel_; }
    plumex::MainStatusBar* statusPanels() const { return StatusBar_; }
    TPOVDlg* povDlg() const { return POVDlg_; }
    TPOVArrayDlg* povArrayDlg() const { return POVArrayDlg_; }
    // The dockable POV-Ray preview of the selection, hidden until asked for.
    plumex::PovPreviewPanel* povPreview() const { return PovPreview_; }
    bool povPreviewShown() const override;
    void setPovPreviewShown(bool on) override;
    QMenu* PMLang = nullptr;
    QMenu* PMLangOut = nullptr;

    // First show: languages, the stored language, the command-line document, focus. Runs once.
    void FormShow();
    // Sets the file name and the window and application titles from it.
    void SetDocumentName(const std::string& path);
    void ApplyLanguage(const std::string& name);
    // Enabling and check marks from the canvas, as the menus compute them when they open.
    void updateMenus();
    plumex::MenuState menuState() const;
    // Runs the commands of the table on this window's canvas.
    plumex::CommandRunner& commands() const { return *commands_; }

    // Document commands.
    void New1Click() override;
    void Open1Click() override;
    void OpenNew1Click() override;
    void Save1Click() override;
    void SaveAs1Click() override;
    void Exit1Click() override;
    void LoadDraft1Click() override;
    void TraceDraft1Click() override;
    void Import1Click() override;
    void ExportSvg1Click() override;
    void RecentFileClick(const std::string& path);
    bool FormCloseQuery();
    void FormClose();
    void LangFileOut1Click();

    void SelectTool(plumex::ToolKind tool) override;
    void SBOptionClick(int tag, bool down);
    // Clipboard export (tags 0 prism, 1 lathe, 2 array) and the File export dispatcher.
    bool POVCopy1Click(int tag) override;
    bool ExportFileClick(int tag) override;
    bool ExportPov(int mode, const std::string& fileName);
    // The whole drawing as an Illustrator 88 file at the view's scale, and as a bitmap after
    // the options dialog; false when nothing was written (an error has been shown then).
    bool ExportIllustrator(const std::string& fileName);
    bool ExportBitmap(const std::string& fileName);
    TExportBmpDlg* exportBmpDlg() const { return ExportBmpDlg_; }

    // The rest of what the commands ask of the window.
    void ToolPanelPos1Click() override;
    bool hintsShown() const override { return hintsShown_; }
    void setHintsShown(bool on) override { hintsShown_ = on; }
    void setStatusBarShown(bool on) override;
    void repaintStatusBar() override;
    void About1Click() override;
    void AboutKey1Click() override;
    bool clipboardHasPaths() const override;
    bool recentFilesEnabled() const override { return mru_.enabled(); }
    void reportError(const std::string& text) override;
    void showNote(const std::string& text) override;
    void setBusy(bool busy) override;

    // Recovery copies (TForm1Recovery.cpp): the offer at the first show, and one copy taken
    // in as a modified, untitled document named after its original.
    void offerRecovery();
    bool recoverCopy(const plumex::RecoveryCopy& copy);
    plumex::RecoveryAutoSave* autoSave() const { return autoSave_; }

signals:
    // Another process of the program was asked to open `path`.
    void secondProcessRequested(const QString& path);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void addMenuItem(const plumex::Command& item);
    // A key of the table's shortcuts, as the window's key events bring it.
    bool shortcutEvent(QObject* watched, QEvent* event);
    void applyCaptions();
    void updateOptionChecks();
    void rebuildRecentMenu();
    void putRecent(const std::string& path);
    void buildLanguageMenus();

    void buildLayout();
    void placeToolPanel();
    void restoreWindowRect();
    void createCanvas();
    void createPovPreview();
    // The drawing index of each selected path, in drawing order.
    std::vector<int> selectedPlaces() const;
    // A finding's path was clicked: select it alone and bring it into view.
    void chooseFoundPath(int place);
    void canvasChanged();
    void showModified();
    // The property panel follows the selection while it is shown.
    void refreshPropertyPanel();
    void canvasMouseMoved();
    void showMousePosition();
    void statusPanelClicked(int panel, Qt::MouseButton button, QPoint globalPos);

    bool askToSave(bool clearOnNo);
    bool openDocument(const std::string& path);
    bool saveDocument(const std::string& path);
    void runSaveDialog(bool saveAs);
    // Reads the clipboard into the canvas's paste buffer: Paste is enabled while it holds paths
    // or paths it could not read (Paste then reports why).
    void refreshPasteBuffer();

    plumex::FormSetup setup_;
    std::unique_ptr<plumex::CommandRunner> commands_;
    std::string fileName_;
    plumex::RecentFiles mru_;
    std::string openFolder_;
    std::string openNewFolder_;
    std::string povFolder_;
    std::string languageFileFolder_;
    bool shown_ = false;
    bool hintsShown_ = true;
    bool centreOnShow_ = false;
    bool clipboardHasPaths_ = false;

    std::map<std::string, QAction*> actions_;
    std::map<std::string, QMenu*> menus_;
    QFrame* Panel1_ = nullptr;
    plumex::CanvasWidget* canvas_ = nullptr;
    plumex::SpeedPanel* SpeedPanel_ = nullptr;
    plumex::MainStatusBar* StatusBar_ = nullptr;
    TPOVDlg* POVDlg_ = nullptr;
    TPOVArrayDlg* POVArrayDlg_ = nullptr;
    TKeyInfoDlg* KeyInfoDlg_ = nullptr;
    TPropertyDlg* PropertyDlg_ = nullptr;
    QDockWidget* PropertyDock_ = nullptr;
    plumex::PovPreviewPanel* PovPreview_ = nullptr;
    bool povPreviewSized_ = false; // given its first width beside the canvas
    TExportBmpDlg* ExportBmpDlg_ = nullptr;
    std::string aiFolder_;
    std::string bmpFolder_;
    void setupRecovery();
    plumex::RecoveryAutoSave* autoSave_ = nullptr;
    std::string recoveredOriginal_; // the original of a recovered, not yet saved document
};
