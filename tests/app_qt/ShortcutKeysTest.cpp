// Every shortcut of the command table, sent as the key event X11 delivers for it, reaches its
// command through the main window, ahead of the menu bar's mnemonics.

#include "FormFixture.h"

#include "app/Languages.h"
#include "app/qt/PovPreviewPanel.h"
#include "app/qt/ShortcutKeys.h"
#include "canvas/qt/CanvasWidget.h"
#include "commands/qt/TPropertyDlg.h"
#include "shell/CommandRunner.h"
#include "shell/CommandTable.h"
#include "shell/KeyInfo.h"

#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTableWidget>
#include <QTest>

using namespace plumex;
using plumex::testing::FormTest;

namespace {

// QTest sends to the widget with the focus when given none.
QWidget* const focused = nullptr;

struct X11Key {
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers;
};

// What X11 delivers: Shift turns "[" into "{" and Tab into Backtab, the number pad's keys
// carry the keypad flag.
X11Key x11Key(int shortcut) {
    X11Key k;
    const bool shift = shortcut & scShift;
    if (shift) k.modifiers |= Qt::ShiftModifier;
    if (shortcut & scCtrl) k.modifiers |= Qt::ControlModifier;
    if (shortcut & scAlt) k.modifiers |= Qt::AltModifier;
    const int key = shortcutKey(shortcut);
    if (key >= 'A' && key <= 'Z') {
        k.key = Qt::Key(Qt::Key_A + (key - 'A'));
    } else if (key >= vk::F1 && key < vk::F1 + 12) {
        k.key = Qt::Key(Qt::Key_F1 + (key - vk::F1));
    } else {
        const std::pair<int, Qt::Key> keys[] = {
            {vk::Tab, shift ? Qt::Key_Backtab : Qt::Key_Tab},
            {vk::Return, Qt::Key_Return},
            {vk::Delete, Qt::Key_Delete},
            {vk::Prior, Qt::Key_PageUp},
            {vk::Next, Qt::Key_PageDown},
            {vk::Home, Qt::Key_Home},
            {vk::End, Qt::Key_End},
            {vk::Left, Qt::Key_Left},
            {vk::Right, Qt::Key_Right},
            {vk::Up, Qt::Key_Up},
            {vk::Down, Qt::Key_Down},
            {vk::OemOpen, shift ? Qt::Key_BraceLeft : Qt::Key_BracketLeft},
            {vk::OemClose, shift ? Qt::Key_BraceRight : Qt::Key_BracketRight},
            {vk::Add, Qt::Key_Plus},
            {vk::Subtract, Qt::Key_Minus}};
        for (auto [code, qt] : keys)
            if (code == key) k.key = qt;
        if (key == vk::Add || key == vk::Subtract) k.modifiers |= Qt::KeypadModifier;
    }
    return k;
}

struct Shortcuts : FormTest {
    std::vector<const Command*> ran;
    QWidget* target = nullptr;

    void open(int paths) {
        start({document("shapes.plx", paths)});
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        form->canvasWidget()->setFocus();
        target = form->canvasWidget();
        // Watch the commands instead of running them: dialogs and files are not the point.
        form->commands().watcher = [this](const Command& c) {
            ran.push_back(&c);
            return false;
        };
    }
    // Sends the key and answers which command ran (nullptr: none).
    const Command* press(int shortcut) {
        ran.clear();
        const X11Key k = x11Key(shortcut);
        EXPECT_NE(k.key, Qt::Key_unknown) << shortcutText(shortcut);
        QTest::keyClick(target, k.key, k.modifiers);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << shortcutText(shortcut);
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
        EXPECT_LE(ran.size(), 1u);
        return ran.empty() ? nullptr : ran.front();
    }
    void pressEveryShortcut() {
        for (const Command& c : commandTable()) {
            if (!c.shortcut) continue;
            const bool allowed = form->commands().enabled(c);
            const Command* got = press(c.shortcut);
            const Command* expected = allowed ? &c : nullptr;
            EXPECT_EQ(got, expected) << c.name << " " << shortcutText(c.shortcut)
                                     << (allowed ? " ran" : " was refused by its rule");
        }
    }
};

TEST_F(Shortcuts, EveryShortcutRunsItsCommandOrIsRefused) {
    open(3);
    pressEveryShortcut(); // nothing selected: the selection's commands refuse
    canvas().Document.Lines[0].selected = 1;
    canvas().Document.Lines[1].selected = 1;
    canvas().Document.SelectionChanged();
    pressEveryShortcut();
    form->SelectTool(ToolKind::Anchor);
    pressEveryShortcut();
}

// The shortcut list's promise: each key it shows, pressed on the canvas, runs the command whose
// menu path it shows (or is refused by that command's rule), and the scroll keys scroll.
TEST_F(Shortcuts, EveryKeyTheListShowsRunsTheCommandItNames) {
    open(3);
    canvas().Document.Lines[0].selected = 1;
    canvas().Document.SelectionChanged();
    const std::vector<TKeyInfo> list = collectKeyInfo();
    ASSERT_GT(list.size(), 8u);
    for (size_t i = 0; i < list.size(); ++i) {
        const TKeyInfo& e = list[i];
        if (i < 8) {
            ASSERT_EQ(e.command, nullptr) << e.path;
            const PixelPoint before = canvas().Origin();
            EXPECT_EQ(press(e.shortcut), nullptr) << e.path;
            EXPECT_NE(canvas().Origin(), before) << e.path << " did not scroll";
            continue;
        }
        ASSERT_NE(e.command, nullptr) << e.path;
        EXPECT_EQ(e.command->shortcut, e.shortcut) << e.path;
        const std::string caption =
            stripCaption(e.command->key >= 0 ? std::string_view(plumex::caption(e.command->key))
                                             : e.command->fixed);
        EXPECT_TRUE(e.path.ends_with("/" + caption)) << e.path << " for " << e.command->name;
        const bool allowed = form->commands().enabled(*e.command);
        EXPECT_EQ(press(e.shortcut), allowed ? e.command : nullptr)
            << e.path << " " << shortcutText(e.shortcut);
    }
}

TEST_F(Shortcuts, MenuShortcutsWinOverTheMenuBarsMnemonics) {
    open(1);
    canvas().Document.SelectAll();
    for (auto [key, name] :
         {std::pair{scAlt | 'P', "Prism1"}, {scAlt | 'A', "Array1"}, {scAlt | 'L', "Lathe1"}}) {
        const Command* got = press(key);
        ASSERT_NE(got, nullptr) << name;
        EXPECT_EQ(got->name, name);
    }
}

// With the watcher out of the way the keys do what their menu items do.
TEST_F(Shortcuts, NumberPadKeysZoomAndResize) {
    open(1);
    form->commands().watcher = nullptr;
    const double scale = canvas().Scale();
    press(vk::Add);
    EXPECT_DOUBLE_EQ(canvas().Scale(), scale * 2);
    press(vk::Subtract);
    press(vk::Subtract);
    EXPECT_DOUBLE_EQ(canvas().Scale(), scale / 2);
    // The main keyboard's minus is not the pad's.
    QTest::keyClick(target, Qt::Key_Minus);
    EXPECT_DOUBLE_EQ(canvas().Scale(), scale / 2);
    canvas().Document.SelectAll();
    canvas().Document.SelectionChanged();
    const TCvRect before = canvas().Document.SelectionBounds;
    press(scCtrl | vk::Add);
    const TCvRect after = canvas().Document.SelectionBounds;
    EXPECT_DOUBLE_EQ(after.right - after.left, 2 * (before.right - before.left));
}

// While a field or a cell of a panel has the focus the keys are its own: letters, the number
// pad, arrows and the editing keys type and move there, and only the keys the field has no
// use for (Ctrl+S) still reach the menus.
TEST_F(Shortcuts, FieldsOfTheDockedPanelsKeepTheirKeys) {
    open(1);
    canvas().Document.SelectAll();
    canvas().Changed();
    form->Property1Click();
    TPropertyDlg* panel = form->propertyPanel();
    ASSERT_NE(panel, nullptr);
    QApplication::processEvents();
    auto typeInto = [&](QAbstractItemView* view, QModelIndex index, const QString& text,
                        Qt::KeyboardModifiers m = {}) {
        ran.clear();
        const QPoint at = view->visualRect(index).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at); // the second press
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, at);
        ASSERT_NE(qobject_cast<QLineEdit*>(QApplication::focusWidget()), nullptr);
        QTest::keyClicks(focused, text, m);
        QTest::keyClick(focused, Qt::Key_Backspace);
        QTest::keyClick(focused, text.back().toLatin1(), m);
        QTest::keyClick(focused, Qt::Key_Z, Qt::ControlModifier); // the field's own undo
        QTest::keyClick(focused, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_TRUE(ran.empty()) << ran.front()->name;
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->text(), text);
        // A key the field has no use for is still the menu's.
        QTest::keyClick(focused, Qt::Key_S, Qt::ControlModifier);
        ASSERT_EQ(ran.size(), 1u);
        EXPECT_EQ(ran[0], commandOfShortcut(scCtrl | 'S'));
        ran.clear();
        QTest::keyClick(focused, Qt::Key_Enter, m);
        EXPECT_TRUE(ran.empty()) << ran.front()->name;
    };
    const double scale = canvas().Scale();
    typeInto(panel->LBLines, panel->LBLines->model()->index(0, 0), "Square");
    EXPECT_EQ(canvas().Document.Lines[0].name, "Square");
    typeInto(panel->SGPoints, panel->SGPoints->model()->index(1, 2), "-0.5", Qt::KeypadModifier);
    EXPECT_EQ(canvas().Document.Lines[0].points[1].anchor.x, -0.5);
    EXPECT_EQ(canvas().Scale(), scale);

    // The grid's own keys move its current cell and start an edit.
    ran.clear();
    for (Qt::Key k : {Qt::Key_Up, Qt::Key_Right, Qt::Key_Home, Qt::Key_End, Qt::Key_Left})
        QTest::keyClick(focused, k);
    EXPECT_TRUE(ran.empty()) << ran.front()->name;
    EXPECT_EQ(panel->SGPoints->currentIndex(), panel->SGPoints->model()->index(0, 4));
    QTest::keyClick(focused, Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_NE(qobject_cast<QLineEdit*>(QApplication::focusWidget()), nullptr);
    QTest::keyClick(focused, Qt::Key_Escape);
    EXPECT_TRUE(ran.empty()) << ran.front()->name;

    // The preview panel's form list takes its arrow keys.
    form->setPovPreviewShown(true);
    QComboBox* formList = form->povPreview()->findChild<QComboBox*>();
    ASSERT_NE(formList, nullptr);
    formList->setFocus();
    ran.clear();
    QTest::keyClick(focused, Qt::Key_Down);
    EXPECT_TRUE(ran.empty()) << ran.front()->name;
    EXPECT_EQ(form->povPreview()->mode(), PovMode::Lathe);

    // Floated off the window, the panels still pass on the keys they do not use.
    for (QWidget* field :
         {static_cast<QWidget*>(formList), static_cast<QWidget*>(panel->SGPoints)}) {
        QDockWidget* dock = nullptr;
        for (QWidget* w = field; w && !dock; w = w->parentWidget())
            dock = qobject_cast<QDockWidget*>(w);
        ASSERT_NE(dock, nullptr);
        dock->setFloating(true);
        dock->show();
        ASSERT_EQ(field->window(), dock);
        ran.clear();
        QTest::keyClick(field, Qt::Key_S, Qt::ControlModifier);
        ASSERT_EQ(ran.size(), 1u) << dock->objectName().toStdString();
        EXPECT_EQ(ran[0], commandOfShortcut(scCtrl | 'S'));
    }
}

TEST(ShortcutKeys, QtKeyEventsToTheProgramsCodes) {
    auto code = [](Qt::Key key, Qt::KeyboardModifiers m = {}) {
        const QKeyEvent e(QEvent::KeyPress, key, m);
        return shortcutOfKeyEvent(e);
    };
    EXPECT_EQ(code(Qt::Key_Plus, Qt::KeypadModifier), vk::Add);
    EXPECT_EQ(code(Qt::Key_Plus, Qt::ShiftModifier), scShift | vk::OemPlus);
    EXPECT_EQ(code(Qt::Key_5, Qt::KeypadModifier), vk::Numpad0 + 5);
    EXPECT_EQ(code(Qt::Key_BraceLeft, Qt::ShiftModifier | Qt::ControlModifier),
              scShift | scCtrl | vk::OemOpen);
    EXPECT_EQ(code(Qt::Key_Backtab, Qt::ShiftModifier), scShift | vk::Tab);
    EXPECT_EQ(code(Qt::Key_Enter, Qt::AltModifier | Qt::KeypadModifier), scAlt | vk::Return);
    EXPECT_EQ(code(Qt::Key_P, Qt::AltModifier), scAlt | 'P');
    EXPECT_EQ(code(Qt::Key_Shift, Qt::ShiftModifier), 0);
}

} // namespace
