// The menus of the main window: built from the menu table, captioned from the current
// language, enabled from the canvas's state.

#include "app/qt/TForm1.h"

#include "app/Languages.h"
#include "app/MenuTree.h"
#include "app/NumberText.h"
#include "app/qt/MainStatusBar.h"
#include "app/qt/MessageBoxes.h"
#include "app/qt/SpeedPanel.h"
#include "canvas/qt/CanvasWidget.h"

#include <QActionGroup>
#include <QApplication>
#include <QMenuBar>
#include <QMessageBox>

using namespace plumex;

namespace {

QString text(int key) {
    return QString::fromStdString(caption(key));
}

QKeySequence shortcutOf(std::string_view text) {
    QString s = QString::fromUtf8(text.data(), static_cast<int>(text.size()));
    // The number-pad keys are not in the portable key names.
    if (s.endsWith("Num+") || s.endsWith("Num-")) {
        const int key = s.endsWith('+') ? Qt::Key_Plus : Qt::Key_Minus;
        const int ctrl = s.startsWith("Ctrl+") ? int(Qt::ControlModifier) : 0;
        return QKeySequence(QKeyCombination::fromCombined(ctrl | Qt::KeypadModifier | key));
    }
    return QKeySequence::fromString(s, QKeySequence::PortableText);
}

QString escapedPath(const std::string& path) {
    return QString::fromStdString(path).replace('&', "&&");
}

} // namespace

void TForm1::buildMenus() {
    for (const MenuItemDef& item : mainMenuItems()) addMenuItem(item);
    auto* grid = new QActionGroup(this);
    auto* draft = new QActionGroup(this);
    for (const MenuItemDef& item : mainMenuItems()) {
        if (item.flags & MenuRadioGrid) grid->addAction(actions_[std::string(item.name)]);
        if (item.flags & MenuRadioDraft) draft->addAction(actions_[std::string(item.name)]);
    }
    for (QMenu* top : menuBar()->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly)) {
        connect(top, &QMenu::aboutToShow, this, &TForm1::refreshPasteBuffer);
        connect(top, &QMenu::aboutToShow, this, &TForm1::updateMenus);
    }
}

void TForm1::addMenuItem(const MenuItemDef& item) {
    const std::string name(item.name);
    QMenu* parent = item.parent.empty() ? nullptr : menus_.at(std::string(item.parent));
    QAction* action = nullptr;
    if (item.flags & MenuSubmenu) {
        QMenu* menu = parent ? new QMenu(parent) : new QMenu(menuBar());
        menu->setObjectName(QString::fromStdString(name));
        menus_[name] = menu;
        action = menu->menuAction();
        if (item.flags & MenuSeparator && parent) parent->addSeparator();
        if (parent)
            parent->addMenu(menu);
        else if (!(item.flags & MenuHidden))
            menuBar()->addMenu(menu);
    } else {
        if (item.flags & MenuSeparator) parent->addSeparator();
        action = parent->addAction(QString());
        action->setObjectName(QString::fromStdString(name));
        action->setShortcut(shortcutOf(item.shortcut));
        action->setCheckable(item.flags & MenuCheckable);
        action->setData(item.tag);
        // Items of a menu that is never shown still answer their shortcuts.
        if (const MenuItemDef* p = findMenuItem(item.parent); p && (p->flags & MenuHidden))
            addAction(action);
    }
    if (item.key < 0) action->setText(QString::fromUtf8(item.fixed.data(), item.fixed.size()));
    if (item.flags & MenuHidden && parent) action->setVisible(false);
    actions_[name] = action;
}

QAction* TForm1::action(const std::string& name) const {
    auto it = actions_.find(name);
    return it == actions_.end() ? nullptr : it->second;
}

QMenu* TForm1::menu(const std::string& name) const {
    auto it = menus_.find(name);
    return it == menus_.end() ? nullptr : it->second;
}

void TForm1::applyCaptions() {
    for (const MenuItemDef& item : mainMenuItems())
        if (item.key >= 0) actions_[std::string(item.name)]->setText(text(item.key));
    actions_["ToolPanelPos1"]->setText(text(Options.ToolRight ? M_ToolBarLeft : M_ToolBarRight));
    SpeedPanel_->applyLanguage();
    StatusBar_->languageChanged();
    if (PMLangOut)
        for (QAction* a : PMLangOut->actions()) a->setText(text(M_LangFileOut));
}

void TForm1::ApplyLanguage(const std::string& name) {
    if (!languages().Apply(name, Options)) return;
    if (fileName_.empty()) setWindowTitle(QString::fromStdString(message(msgNewName)));
    applyCaptions();
}

void TForm1::buildLanguageMenus() {
    if (PMLang) return;
    PMLang = new QMenu(this);
    PMLang->setObjectName("PMLang");
    const auto& list = languages().list();
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string name = list[i].Name;
        QAction* item = PMLang->addAction(QString::fromStdString(name).replace('&', "&&"));
        if (i < 2) item->setObjectName(i == 0 ? "English2" : "Japanese2");
        connect(item, &QAction::triggered, this, [this, name] { ApplyLanguage(name); });
    }
    PMLangOut = new QMenu(this);
    PMLangOut->setObjectName("PMLangOut");
    QAction* out = PMLangOut->addAction(text(M_LangFileOut));
    out->setObjectName("LangFileOut1");
    connect(out, &QAction::triggered, this, &TForm1::LangFileOut1Click);
}

MenuState TForm1::menuState() const {
    MenuState s;
    const TCvDocument& doc = canvas().Document;
    s.paths = static_cast<int>(doc.Lines.size());
    for (const TCvLine& line : doc.Lines) {
        s.selectedPaths += line.selected;
        s.lockedPaths += line.locked;
        s.hiddenPaths += !line.visible;
        if (!line.selected) continue;
        s.selectedOpenPath = s.selectedOpenPath || !line.closed;
        for (const TCvPoint& p : line.points) s.selectedAnchors += p.selected;
    }
    s.tool = canvas().Tool();
    s.canUndo = doc.UndoBuffer.CanUndo();
    s.canRedo = doc.UndoBuffer.CanRedo();
    s.draftLoaded = canvas().Draft().Present();
    s.clipboardHasPaths = clipboardHasPaths_;
    s.joinable = CanJoinEndAnchors(doc);
    s.separable = CanSeparateAnchors(doc);
    s.handlesCopied = canvas().HasHandleClipboard();
    return s;
}

void TForm1::updateMenus() {
    const MenuState state = menuState();
    std::map<std::string_view, bool> enabled;
    for (const MenuItemDef& item : mainMenuItems()) {
        bool on = item.parent.empty() || menuItemEnabled(item.name, state);
        if (auto parent = enabled.find(item.parent); parent != enabled.end())
            on = on && parent->second;
        if (item.name == "MRU1") on = mru_.enabled();
        enabled[item.name] = on;
        actions_[std::string(item.name)]->setEnabled(on);
    }
    updateOptionChecks();
}

void TForm1::updateOptionChecks() {
    actions_["ToolPanelPos1"]->setText(text(Options.ToolRight ? M_ToolBarLeft : M_ToolBarRight));
    actions_["ShowHint1"]->setChecked(hintsShown_);
    const std::pair<const char*, int> switches[] = {
        {"ShowRuler1", OptShowRuler},   {"ShowGrid1", OptShowGrid},
        {"SnapGrid1", OptSnapGrid},     {"ShowGuides1", OptShowGuides},
        {"SnapGuides1", OptSnapGuides}, {"LockGuides1", OptLockGuides},
        {"ShowAnchor1", OptShowAnchor}, {"SmallAnchor1", OptSmallAnchor},
        {"ShowHelper1", OptShowHelper}};
    for (auto [name, option] : switches) actions_[name]->setChecked(canvas().GetOption(option));
    const bool fixed = canvas().GetOption(OptGridSizeFixed);
    actions_["GridSizeFixed1"]->setChecked(fixed);
    actions_["GridSizeAuto1"]->setChecked(!fixed);
    const bool show = canvas().GetOption(OptShowDraft);
    const bool dim = canvas().GetOption(OptDimDraft);
    actions_["HideDraft1"]->setChecked(!show);
    actions_["ShowDimDraft1"]->setChecked(show && dim);
    actions_["ShowDraft1"]->setChecked(show && !dim);
    actions_["RestoreWinSize1"]->setChecked(Options.RestoreWindowSize);
    actions_["ShowSBar1"]->setChecked(Options.ShowStatusBar);
    if (PovPreview_) actions_["PovPreview1"]->setChecked(povPreviewShown());
}

void TForm1::rebuildRecentMenu() {
    QMenu* list = menus_.at("MRU1");
    list->clear();
    for (const std::string& path : mru_.items()) {
        QAction* item = list->addAction(escapedPath(path));
        connect(item, &QAction::triggered, this, [this, path] { RecentFileClick(path); });
    }
    actions_["MRU1"]->setEnabled(mru_.enabled());
}

void TForm1::putRecent(const std::string& path) {
    mru_.Put(path, Options.MRUMax);
    rebuildRecentMenu();
}

void TForm1::route(const std::string& name, std::function<void()> command) {
    // An error that no command handles is reported and the program goes on.
    connect(actions_.at(name), &QAction::triggered, this, [this, command = std::move(command)] {
        // A shortcut can come while a mouse button still drives a drag over the paths.
        canvas().CancelDrag();
        try {
            command();
        } catch (const std::exception& e) {
            showError(this, e.what());
        }
    });
}

void TForm1::toggleOption(int n) {
    canvas().SetOption(n, !canvas().GetOption(n));
}

void TForm1::refreshPasteBuffer() {
    clipboardHasPaths_ = canvas().ReadClipboard();
}

void TForm1::editDocument(const std::function<void()>& change) {
    change();
    canvas().Invalidate();
    canvas().Changed();
}
