// Object > Path through the main window with real clicks on the menu bar and its menus.

#include "FormFixture.h"

#include "app/Languages.h"
#include "app/qt/MainStatusBar.h"
#include "canvas/qt/CanvasWidget.h"
#include "geometry/PathArea.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <cmath>

namespace plumex::testing {
namespace {

TCvLine square(double x, double y, double side) {
    return polyline({{x, y}, {x + side, y}, {x + side, y + side}, {x, y + side}}, true);
}

// Clicks the item of `menu` that `action` shows and waits for what it opens.
void clickItem(QWidget* menu, QAction* action, QRect where) {
    ASSERT_TRUE(action->isEnabled()) << action->text().toStdString();
    QTest::mouseMove(menu, where.center());
    QTest::mouseClick(menu, Qt::LeftButton, {}, where.center());
}

class PathMenuTest : public FormTest {
protected:
    void runFromMenu(const char* item) {
        QMenuBar* bar = form->menuBar();
        QMenu* object = form->menu("Object1");
        QMenu* path = form->menu("Path1");
        clickItem(bar, object->menuAction(), bar->actionGeometry(object->menuAction()));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(object));
        clickItem(object, path->menuAction(), object->actionGeometry(path->menuAction()));
        ASSERT_TRUE(QTest::qWaitFor([&] { return path->isVisible(); }));
        QAction* run = form->action(item);
        clickItem(path, run, path->actionGeometry(run));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !object->isVisible(); }));
    }
};

} // namespace

TEST_F(PathMenuTest, DifferenceFromTheMenuIsOneUndoStepAndSelectsTheResult) {
    TCvDocument doc;
    doc.Lines.push_back(square(0, 0, 2));
    doc.Lines.edit()[0].name = "plate";
    doc.Lines.push_back(polyline({{5, 0}, {6, 1}}));
    doc.Lines.push_back(square(1, 1, 2));
    const std::string file = dir.file("three.plx");
    ASSERT_TRUE(doc.SaveToFile(file));
    TForm1& f = start({file});
    f.show();
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    f.canvasWidget()->setFocus();
    QTest::keyClick(f.canvasWidget(), Qt::Key_A, Qt::ControlModifier);
    const std::vector<TCvLine> before = canvas().Document.Lines;

    runFromMenu("Difference1");
    const auto& lines = canvas().Document.Lines;
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].name, "plate");
    EXPECT_TRUE(lines[0].selected);
    EXPECT_FALSE(lines[1].closed);
    EXPECT_NEAR(std::abs(signedArea(lines[0])), 3.0, 1e-12);
    EXPECT_EQ(f.statusPanels()->panelText(MainStatusBar::NotePanel).toStdString(),
              message(msgOpenPathsLeft));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    QTest::keyClick(f.canvasWidget(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(canvas().Document.Lines, before);
    EXPECT_FALSE(canvas().Document.UndoBuffer.CanUndo());

    // Only the open path selected: the Path submenu is off.
    canvas().Document.DeselectAll();
    canvas().Document.Lines.edit()[1].selected = 1;
    canvas().Document.SelectionChanged();
    f.updateMenus();
    EXPECT_FALSE(f.action("Path1")->isEnabled());
    EXPECT_FALSE(f.action("Union1")->isEnabled());
}

} // namespace plumex::testing
