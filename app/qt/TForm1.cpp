#include "app/qt/TForm1.h"

#include "app/Languages.h"
#include "app/SettingsPath.h"
#include "app/StatusText.h"
#include "app/WindowPlacement.h"
#include "app/qt/CornerImages.h"
#include "app/qt/MainStatusBar.h"
#include "app/qt/MessageBoxes.h"
#include "app/qt/PovPreviewPanel.h"
#include "app/qt/RecoveryAutoSave.h"
#include "app/qt/ShellCanvas.h"
#include "app/qt/SpeedPanel.h"
#include "app/qt/TExportBmpDlg.h"
#include "app/qt/TPOVArrayDlg.h"
#include "app/qt/TPOVDlg.h"
#include "canvas/qt/CanvasWidget.h"
#include "shell/CommandRunner.h"
#include "shell/DocumentCaption.h"
#include "shell/RecoveryFiles.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMenu>
#include <QScreen>
#include <algorithm>

using namespace plumex;

FormSetup FormSetup::fromProgram(const std::vector<std::string>& arguments) {
    FormSetup setup;
    setup.programPath = executablePath();
    setup.settingsPath = plumex::settingsPath(setup.programPath);
    setup.languageFolder = programFolder();
    setup.arguments = arguments;
    setup.recoveryFolder = plumex::recoveryFolder();
    return setup;
}

TForm1::TForm1(FormSetup setup, QWidget* parent) : QMainWindow(parent), setup_(std::move(setup)) {
    setObjectName("Form1");
    buildMenus();
    Options.Load(setup_.settingsPath);
    buildLayout();
    placeToolPanel();
    StatusBar_->setVisible(Options.ShowStatusBar);
    restoreWindowRect();
    mru_.Restore(Options.MRU, Options.MRUMax);
    rebuildRecentMenu();
    createCanvas();
    setupRecovery();
    SelectTool(ToolKind::Object);
    POVDlg_ = new TPOVDlg(this);
    POVArrayDlg_ = new TPOVArrayDlg(this);
    createPovPreview();
    ExportBmpDlg_ = new TExportBmpDlg(this);
    qApp->installEventFilter(this);
    applyCaptions();
    SetDocumentName({});
    canvasChanged();
}

TForm1::~TForm1() {
    qApp->removeEventFilter(this);
    canvas().SetContextMenuSource(nullptr);
}

TCvWindow& TForm1::canvas() const {
    return canvas_->canvas();
}

void TForm1::buildLayout() {
    auto* central = new QWidget(this);
    central->setObjectName("Central");
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    SpeedPanel_ = new SpeedPanel(central);
    Panel1_ = new QFrame(central);
    Panel1_->setObjectName("Panel1");
    Panel1_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* inner = new QHBoxLayout(Panel1_);
    inner->setContentsMargins(1, 1, 1, 1);
    row->addWidget(SpeedPanel_);
    row->addWidget(Panel1_, 1);
    setCentralWidget(central);
    StatusBar_ = new MainStatusBar(this);
    setStatusBar(StatusBar_);
    connect(SpeedPanel_, &SpeedPanel::toolPressed, this, [this](int button) {
        const std::optional<ToolKind> tool = toolFromIndex(button);
        if (!tool) return;
        canvas().CancelDrag();
        SelectTool(*tool);
    });
    connect(SpeedPanel_, &SpeedPanel::optionClicked, this, &TForm1::SBOptionClick);
    connect(StatusBar_, &MainStatusBar::panelClicked, this, &TForm1::statusPanelClicked);
}

void TForm1::placeToolPanel() {
    auto* row = static_cast<QHBoxLayout*>(centralWidget()->layout());
    row->removeWidget(SpeedPanel_);
    row->insertWidget(Options.ToolRight ? 1 : 0, SpeedPanel_);
}

void TForm1::restoreWindowRect() {
    if (Options.RestoreWindowSize && !Options.WindowMaximized && Options.WindowWidth != 0 &&
        Options.WindowHeight != 0) {
        WindowRect stored{Options.WindowLeft, Options.WindowTop, Options.WindowWidth,
                          Options.WindowHeight};
        // A rectangle stored from a larger screen, or one the window grew past, is cut to fit.
        const QScreen* screen =
            QGuiApplication::screenAt({stored.left + stored.width / 2, stored.top});
        if (!screen) screen = QGuiApplication::primaryScreen();
        if (screen) {
            const QRect room = screen->availableGeometry();
            stored = clampToScreen(stored, {room.left(), room.top(), room.width(), room.height()});
        }
        setGeometry(stored.left, stored.top, stored.width, stored.height);
    } else {
        const QScreen* screen = QGuiApplication::primaryScreen();
        const QRect room = screen ? screen->availableGeometry() : QRect();
        const WindowRect first =
            firstWindowOn({room.left(), room.top(), room.width(), room.height()});
        resize(first.width, first.height);
        centreOnShow_ = true;
    }
}

void TForm1::createCanvas() {
    canvas_ = new ShellCanvas(&Options, Panel1_);
    canvas_->setObjectName("Canvas");
    Panel1_->layout()->addWidget(canvas_);
    canvas().SetOption(CanvasOption::SmallAnchor, Options.SmallAnchor);
    canvas().OnChange = [this](TCvWindow&) { canvasChanged(); };
    canvas().OnMouseMoveEvent = [this](TCvWindow&, const MouseEvent&) { canvasMouseMoved(); };
    canvas_->setCornerGlyphs([](qreal ratio) { return cornerImages(ratio); });
    commands_ = std::make_unique<CommandRunner>(canvas(), *this);
    canvas().SetContextMenuSource(commands_.get());
    // Another program (or window) putting something on the clipboard changes what Paste offers.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        refreshPasteBuffer();
        updateMenus();
    });
    refreshPasteBuffer();
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (centreOnShow_) {
        centreOnShow_ = false;
        if (QScreen* screen = this->screen())
            move(screen->availableGeometry().center() - rect().center());
    }
    FormShow();
}

void TForm1::FormShow() {
    if (shown_) return;
    shown_ = true;
    static bool languagesLoaded = false;
    if (!languagesLoaded) {
        languages().LoadFiles(setup_.languageFolder);
        languagesLoaded = true;
    }
    buildLanguageMenus();
    ApplyLanguage(Options.Language);
    if (!setup_.arguments.empty() && openDocument(setup_.arguments.front())) {
        SetDocumentName(setup_.arguments.front());
        putRecent(setup_.arguments.front());
    } else {
        SetDocumentName({});
    }
    offerRecovery();
    canvas_->setFocus();
}

void TForm1::SetDocumentName(const std::string& path) {
    fileName_ = path;
    recoveredOriginal_.clear();
    // The whole title is set here, with no application display name: Qt appends that name to
    // a title when the title is set, so it would lag one document behind.
    setWindowTitle(QString::fromStdString(documentCaption(path, message(msgNewName)).title));
    showModified();
}

void TForm1::showModified() {
    setWindowModified(modified());
}

void TForm1::SelectTool(ToolKind tool) {
    SpeedPanel_->setTool(tool);
    canvas().SetTool(tool);
    updateMenus();
}

void TForm1::createPovPreview() {
    PovPreview_ = new PovPreviewPanel(this);
    PovPreviewSource source;
    source.selection = [this] { return canvas().Document.CollectSelected(); };
    source.options = [this] { return POVDlg_->state; };
    // Every write to the paths moves the mark, so zooming or scrolling leaves it as it was.
    source.revision = [this] { return canvas().Document.Lines.mark(); };
    source.places = [this] { return selectedPlaces(); };
    PovPreview_->setSource(std::move(source));
    connect(PovPreview_, &PovPreviewPanel::pathChosen, this, &TForm1::chooseFoundPath);
    connect(POVDlg_, &TPOVDlg::pathChosen, this, &TForm1::chooseFoundPath);
    addDockWidget(Qt::RightDockWidgetArea, PovPreview_);
    PovPreview_->hide();
}

std::vector<int> TForm1::selectedPlaces() const {
    std::vector<int> places;
    const LineList& lines = canvas().Document.Lines;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].selected) places.push_back(static_cast<int>(i));
    return places;
}

void TForm1::chooseFoundPath(int place) {
    // The findings may be older than the last edit: a path since deleted is not chosen.
    if (place < 0 || place >= static_cast<int>(canvas().Document.Lines.size())) return;
    canvas().SelectOnly(place);
    canvas().GoSelectionCenter();
    canvas().Changed();
}

bool TForm1::povPreviewShown() const {
    // The menus' checks are asked while the window is still being built.
    return PovPreview_ && PovPreview_->isVisible();
}

void TForm1::setPovPreviewShown(bool on) {
    if (!PovPreview_) return;
    PovPreview_->setVisible(on);
    // Docked at its minimum the picture is a sliver; the first showing gets a third of the window.
    if (on && !povPreviewSized_ && !PovPreview_->isFloating()) {
        povPreviewSized_ = true;
        resizeDocks({PovPreview_}, {std::max(width() / 3, 240)}, Qt::Horizontal);
    }
}

void TForm1::canvasChanged() {
    if (PovPreview_) PovPreview_->documentChanged();
    SpeedPanel_->sync(Options);
    SpeedPanel_->setTool(canvas().Tool());
    StatusBar_->setPanelText(0, QString::fromStdString(statusScaleText(canvas().Scale())));
    updateMenus();
    showModified();
    refreshPropertyPanel();
    if (autoSave_) autoSave_->documentChanged();
}

void TForm1::canvasMouseMoved() {
    SpeedPanel_->sync(Options);
    showMousePosition();
}

void TForm1::showMousePosition() {
    const TCvCoord p = canvas().CursorPos();
    const double scale = canvas().Scale();
    StatusBar_->setPanelText(1, QString::fromStdString(mousePositionText(p.x, scale)));
    StatusBar_->setPanelText(2, QString::fromStdString(mousePositionText(p.y, scale)));
    // The angle belongs to handle and rotation drags, which report it themselves.
    if (const auto handle = canvas().DraggedHandle()) {
        StatusBar_->setPanelText(
            3, QString::fromStdString(handleAngleText(handle->anchor, handle->handle)));
    } else if (canvas().DragState() == DragKind::Rotate) {
        // Shift is read now, as the rotation itself reads it on this move.
        const PressContext& press = canvas().Press();
        const bool steps = QApplication::keyboardModifiers() & Qt::ShiftModifier;
        StatusBar_->setPanelText(
            3, QString::fromStdString(rotationAngleText(canvas().PressBase().pivot,
                                                        press.pressPoint, press.point, steps)));
    } else if (canvas().DragState() == DragKind::Idle) {
        StatusBar_->setPanelText(3, {});
    }
    StatusBar_->repaint(StatusBar_->panelRect(1).united(StatusBar_->panelRect(3)));
}

void TForm1::statusPanelClicked(int panel, Qt::MouseButton button, QPoint globalPos) {
    if (panel == 0 && button == Qt::LeftButton) canvas().InputScale();
    if (panel == 5 && button == Qt::LeftButton) PMLang->popup(globalPos);
    if (panel == 5 && button == Qt::RightButton) PMLangOut->popup(globalPos);
}

bool TForm1::FormCloseQuery() {
    if (canvas().Document.Lines.empty() && fileName_.empty()) return true;
    if (modified()) {
        switch (confirmYesNoCancel(this, message(msgQSave))) {
        case MessageAnswer::Yes:
            Save1Click();
            break;
        case MessageAnswer::No:
            canvas().Document.UndoBuffer.Clear();
            break;
        default:
            break;
        }
    }
    return !modified();
}

void TForm1::FormClose() {
    const bool maximized = isMaximized();
    if (isMinimized() || maximized) {
        Options.WindowLeft = Options.WindowTop = Options.WindowWidth = Options.WindowHeight = 0;
    } else {
        const QRect r = geometry();
        Options.WindowLeft = r.left();
        Options.WindowTop = r.top();
        Options.WindowWidth = r.width();
        Options.WindowHeight = r.height();
    }
    Options.WindowMaximized = maximized;
    Options.MRU = mru_.items();
    Options.Save(setup_.settingsPath);
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    // Closed on purpose, saved or not: no copy is left to offer.
    if (autoSave_) autoSave_->documentClean();
    event->accept();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    // "Show Hints" off silences every tooltip of the program.
    if (event->type() == QEvent::ToolTip && !hintsShown_) return true;
    if (shortcutEvent(watched, event)) return true;
    return QMainWindow::eventFilter(watched, event);
}
