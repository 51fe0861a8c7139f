// The menus of the main window: built from the command table, captioned from the current
// language, enabled from the canvas's state. The table's shortcuts are dispatched here too.

#include "app/qt/TForm1.h"

#include "app/Languages.h"
#include "app/qt/MainStatusBar.h"
#include "app/qt/MessageBoxes.h"
#include "app/qt/ShortcutKeys.h"
#include "app/qt/SpeedPanel.h"
#include "canvas/qt/CanvasWidget.h"
#include "shell/CommandRunner.h"
#include "shell/CommandTable.h"

#include <QActionGroup>
#include <QApplication>
#include <QDockWidget>
#include <QKeyEvent>
#include <QMenuBar>

using namespace plumex;

namespace {

QString text(int key) {
    return QString::fromStdString(caption(key));
}

QString escapedPath(const std::string& path) {
    return QString::fromStdString(path).replace('&', "&&");
}

// The caption with the shortcut after a tab, which the menu shows in its key column. The
// actions carry no QKeySequence: the window dispatches the table's keys itself, so that a
// menu-bar mnemonic never shadows them.
QString itemText(const Command& c, int key) {
    QString t = key >= 0 ? text(key) : QString::fromUtf8(c.fixed.data(), qsizetype(c.fixed.size()));
    if (c.shortcut) t += '\t' + QString::fromStdString(shortcutText(c.shortcut));
    return t;
}

} // namespace

void TForm1::buildMenus() {
    for (const Command& c : commandTable())
        if (!(c.flags & cfContextOnly)) addMenuItem(c);
    auto* grid = new QActionGroup(this);
    auto* draft = new QActionGroup(this);
    for (const Command& c : commandTable()) {
        if (c.flags & cfRadioGrid) grid->addAction(actions_[std::string(c.name)]);
        if (c.flags & cfRadioDraft) draft->addAction(actions_[std::string(c.name)]);
    }
    for (QMenu* top : menuBar()->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly)) {
        connect(top, &QMenu::aboutToShow, this, &TForm1::refreshPasteBuffer);
        connect(top, &QMenu::aboutToShow, this, &TForm1::updateMenus);
    }
}

void TForm1::addMenuItem(const Command& item) {
    const std::string name(item.name);
    QMenu* parent = item.parent.empty() ? nullptr : menus_.at(std::string(item.parent));
    QAction* action = nullptr;
    if (item.flags & cfSubmenu) {
        QMenu* menu = parent ? new QMenu(parent) : new QMenu(menuBar());
        menu->setObjectName(QString::fromStdString(name));
        menus_[name] = menu;
        action = menu->menuAction();
        if (item.flags & cfSeparator && parent) parent->addSeparator();
        if (parent)
            parent->addMenu(menu);
        else if (!(item.flags & cfHidden))
            menuBar()->addMenu(menu);
    } else {
        if (item.flags & cfSeparator) parent->addSeparator();
        action = parent->addAction(QString());
        action->setObjectName(QString::fromStdString(name));
        action->setCheckable(item.flags & cfCheckable);
        action->setData(item.tag);
        const Command* c = &item;
        connect(action, &QAction::triggered, this, [this, c] { commands_->run(*c); });
    }
    if (item.key < 0) action->setText(itemText(item, -1));
    if (item.flags & cfHidden && parent) action->setVisible(false);
    actions_[name] = action;
}

bool TForm1::shortcutEvent(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    // A panel floated off the window is a window of its own but still one of ours.
    const QWidget* window = widget ? widget->window() : nullptr;
    if (auto* dock = qobject_cast<const QDockWidget*>(window); dock && dock->parentWidget() == this)
        window = this;
    // Dialogs and open menus keep their keys.
    if (window != this || QApplication::activePopupWidget() || QApplication::activeModalWidget())
        return false;
    const auto& key = *static_cast<QKeyEvent*>(event);
    // A field or grid of a docked panel being typed into keeps its keys; the override is taken
    // all the same, so no menu mnemonic takes a letter meant for it.
    if (focusOwnsKey(QApplication::focusWidget(), key)) {
        if (event->type() != QEvent::ShortcutOverride) return false;
        event->accept();
        return true;
    }
    const Command* c = commandOfShortcut(shortcutOfKeyEvent(key));
    if (!c || !commands_) return false;
    // Taking the override keeps Qt's shortcut map, and with it the menu bar's Alt+letter
    // mnemonics, from seeing the key; the key press that follows runs the command.
    event->accept();
    if (event->type() != QEvent::KeyPress) return true;
    // Edit-menu keys see the clipboard as the opened menu would: Paste must not be refused
    // (or run) on what it held before.
    if (c->parent == "Edit1") refreshPasteBuffer();
    commands_->run(*c);
    return true;
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
    for (const Command& c : commandTable())
        if (c.key >= 0 && !(c.flags & cfContextOnly))
            actions_[std::string(c.name)]->setText(itemText(c, c.key));
    actions_["ToolPanelPos1"]->setText(text(Options.ToolRight ? M_ToolBarLeft : M_ToolBarRight));
    SpeedPanel_->applyLanguage();
    StatusBar_->languageChanged();
    if (PMLangOut)
        for (QAction* a : PMLangOut->actions()) a->setText(text(M_LangFileOut));
}

void TForm1::ApplyLanguage(const std::string& name) {
    if (!languages().Apply(name, Options)) return;
    if (fileName_.empty()) SetDocumentName({});
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
    return commands_->state();
}

void TForm1::updateMenus() {
    if (!commands_) return;
    const MenuState state = menuState();
    for (const Command& c : commandTable()) {
        if (c.flags & cfContextOnly) continue;
        QAction* action = actions_[std::string(c.name)];
        action->setEnabled(c.parent.empty() || commands_->enabled(c, state));
        if (c.flags & cfCheckable) action->setChecked(commands_->checked(c));
    }
    updateOptionChecks();
}

void TForm1::updateOptionChecks() {
    actions_["ToolPanelPos1"]->setText(text(Options.ToolRight ? M_ToolBarLeft : M_ToolBarRight));
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

void TForm1::refreshPasteBuffer() {
    clipboardHasPaths_ = canvas().PasteOffered();
}
