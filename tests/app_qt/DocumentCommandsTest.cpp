#include "FormFixture.h"

#include "app/Options.h"
#include "app/StatusText.h"
#include "app/qt/MainStatusBar.h"
#include "canvas/HoverZone.h"
#include "model/ViewFit.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QWindow>

#include <filesystem>
#include <optional>

using namespace plumex;
using plumex::testing::FormTest;

TEST_F(FormTest, MissingCommandLineFileLeavesAnUntitledDocument) {
    answers = {MessageAnswer::Ok};
    start({dir.file("missing.plx")});
    EXPECT_EQ(form->windowTitle(), "Undefined[*] -Plumex");
    EXPECT_TRUE(form->FileName().empty());
    EXPECT_TRUE(canvas().Document.Lines.empty());
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].first, MessageKind::Error);
    EXPECT_TRUE(form->recentFiles().items().empty());
}

TEST_F(FormTest, CommandLineFileOpensAndGoesOnTheRecentList) {
    const std::string path = document("vase.plx", 2);
    start({path});
    EXPECT_EQ(form->windowTitle(), "vase.plx[*] -Plumex");
    EXPECT_EQ(canvas().Document.Lines.size(), 2u);
    EXPECT_EQ(form->recentFiles().items(), std::vector<std::string>{path});
    EXPECT_TRUE(form->action("MRU1")->isEnabled());
}

// The title the window system shows: it follows every change of name at once, carries the
// unsaved-changes mark, and no application display name is joined to it behind the name.
TEST_F(FormTest, TitleFollowsTheDocumentAndMarksUnsavedChanges) {
    const QString displayName = QGuiApplication::applicationDisplayName();
    const std::string first = document("letter.plx");
    start({first});
    form->winId(); // the title below is the one handed to the window system
    auto shown = [&] { return form->windowHandle()->title().toStdString(); };
    EXPECT_EQ(shown(), "letter.plx -Plumex");

    edit();
    canvas().Changed();
    EXPECT_EQ(shown(), "letter.plx* -Plumex");
    form->Save1Click();
    EXPECT_EQ(shown(), "letter.plx -Plumex");

    form->New1Click();
    EXPECT_EQ(shown(), "Undefined -Plumex");
    edit();
    canvas().Changed();
    const std::string second = dir.file("second.plx");
    chosen = {second};
    form->SaveAs1Click();
    EXPECT_EQ(shown(), "second.plx -Plumex");
    chosen = {first};
    form->Open1Click();
    EXPECT_EQ(shown(), "letter.plx -Plumex");
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), displayName);
}

TEST_F(FormTest, NewAsksAboutAModifiedDocument) {
    start();
    edit();
    answers = {MessageAnswer::Cancel};
    form->New1Click();
    EXPECT_EQ(canvas().Document.Lines.size(), 1u); // Cancel: nothing happened
    EXPECT_TRUE(form->modified());

    answers = {MessageAnswer::Yes}; // Yes, but the save dialog is cancelled: stop
    chosen = {""};
    form->New1Click();
    EXPECT_EQ(canvas().Document.Lines.size(), 1u);

    answers = {MessageAnswer::No};
    form->New1Click();
    EXPECT_TRUE(canvas().Document.Lines.empty());
    EXPECT_FALSE(form->modified());
    EXPECT_EQ(form->windowTitle(), "Undefined[*] -Plumex");
}

TEST_F(FormTest, YesSavesBeforeTheNewDocument) {
    start();
    edit();
    const std::string path = dir.file("kept.plx");
    answers = {MessageAnswer::Yes};
    chosen = {path};
    form->New1Click();
    EXPECT_TRUE(canvas().Document.Lines.empty());
    TCvDocument saved;
    saved.LoadFromFile(path);
    EXPECT_EQ(saved.Lines.size(), 1u);
    EXPECT_EQ(form->recentFiles().items().front(), path);
}

TEST_F(FormTest, OpenAsksFirstAndCancelShowsNoDialog) {
    const std::string path = document("b.plx");
    start();
    edit();
    answers = {MessageAnswer::Cancel};
    form->Open1Click();
    EXPECT_TRUE(dialogTitles.empty());

    answers = {MessageAnswer::No};
    chosen = {path};
    form->Open1Click();
    EXPECT_EQ(dialogTitles, std::vector<std::string>{"Open File"});
    EXPECT_EQ(form->FileName(), path);
    EXPECT_FALSE(form->modified());
}

TEST_F(FormTest, FailedOpenKeepsTheDocumentAndItsName) {
    const std::string good = document("good.plx");
    const std::string bad = dir.write("bad.plx", "not a drawing");
    start({good});
    answers = {MessageAnswer::Ok};
    chosen = {bad};
    form->Open1Click();
    EXPECT_EQ(form->FileName(), good);
    EXPECT_EQ(canvas().Document.Lines.size(), 1u);
    EXPECT_EQ(form->recentFiles().items(), std::vector<std::string>{good});
}

TEST_F(FormTest, SaveAsProposesTheNameWithoutExtensionAndRenames) {
    const std::string path = document("first.plx");
    start({path});
    edit();
    const std::string second = dir.file("second.plx");
    chosen = {second};
    form->SaveAs1Click();
    EXPECT_EQ(form->windowTitle(), "second.plx[*] -Plumex");
    EXPECT_FALSE(form->modified());
    EXPECT_EQ(form->recentFiles().items().front(), second);
    EXPECT_TRUE(std::filesystem::exists(second));
}

TEST_F(FormTest, RecentFileRulesOfTheWindow) {
    const std::string a = document("a.plx"), b = document("b.plx");
    start({a});
    edit();
    form->RecentFileClick(a); // the current file: nothing, not even the question
    EXPECT_TRUE(asked.empty());
    EXPECT_TRUE(form->modified());

    answers = {MessageAnswer::No};
    form->RecentFileClick(b);
    EXPECT_EQ(form->FileName(), b);
    EXPECT_EQ(form->recentFiles().items(), (std::vector<std::string>{b, a}));
    form->RecentFileClick(a);
    EXPECT_EQ(form->recentFiles().items(), (std::vector<std::string>{a, b}));
}

TEST_F(FormTest, ElevenFilesWithMRUMaxTenDropTheOldest) {
    start();
    std::vector<std::string> paths;
    for (int i = 0; i < 11; ++i) {
        paths.push_back(document("f" + std::to_string(i) + ".plx"));
        form->RecentFileClick(paths.back());
    }
    ASSERT_EQ(form->recentFiles().items().size(), 10u);
    EXPECT_EQ(form->recentFiles().items().front(), paths[10]);
    EXPECT_EQ(form->recentFiles().items().back(), paths[1]);
    EXPECT_EQ(form->menu("MRU1")->actions().size(), 10);
}

TEST_F(FormTest, MRUMaxZeroKeepsTheMenuEmptyButEnabled) {
    const std::string a = document("a.plx");
    start({}, "[Menu]\nMRUMax=0\n");
    form->RecentFileClick(a);
    EXPECT_TRUE(form->recentFiles().items().empty());
    EXPECT_TRUE(form->menu("MRU1")->actions().isEmpty());
    EXPECT_TRUE(form->action("MRU1")->isEnabled());
}

TEST_F(FormTest, ClosingAnEmptyUntitledWindowNeverAsks) {
    start();
    canvas().Document.Record(); // an undo step, but nothing drawn
    ASSERT_TRUE(form->modified());
    EXPECT_TRUE(form->FormCloseQuery());
    EXPECT_TRUE(asked.empty());
}

TEST_F(FormTest, CloseQueryFollowsTheAnswer) {
    start();
    edit();
    answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(form->FormCloseQuery());
    answers = {MessageAnswer::Yes};
    chosen = {""}; // save dialog cancelled: the window stays
    EXPECT_FALSE(form->FormCloseQuery());
    answers = {MessageAnswer::No};
    EXPECT_TRUE(form->FormCloseQuery());
}

TEST_F(FormTest, CloseStoresRecentFilesAndAMaximisedWindowAsZeros) {
    const std::string a = document("a.plx"), b = document("b.plx");
    start({a});
    form->RecentFileClick(b);
    form->setWindowState(Qt::WindowMaximized);
    form->FormClose();
    TCvOptions stored;
    stored.Load(dir.file("plumex.ini"));
    EXPECT_EQ(stored.MRU, (std::vector<std::string>{b, a}));
    EXPECT_TRUE(stored.WindowMaximized);
    EXPECT_EQ(stored.WindowWidth, 0);
    EXPECT_EQ(stored.WindowLeft, 0);
}

// Two paths, both selected with the object tool, in a 600 x 400 canvas.
struct SelectedPathsTest : plumex::testing::FormTest {
    TCvWindow& withBothPathsSelected() {
        start({document("two.plx", 2)});
        TCvWindow& w = canvas();
        w.Resize(600, 400);
        w.CenterOn({1, 0.5});
        w.SetTool(ToolKind::Object);
        w.Document.SelectAll();
        w.Document.SelectionChanged();
        return w;
    }
};

// A shortcut pressed while the mouse button still holds a drag: the command must not leave the
// drag running on paths it removed, and what the drag moved stays undoable on its own.
TEST_F(SelectedPathsTest, CommandDuringADragEndsTheDragFirst) {
    TCvWindow& w = withBothPathsSelected();
    const std::vector<TCvLine> before = w.Document.Lines;
    const PixelPoint grab = w.UnitToPixel({2, 1}); // the second path's corner
    w.MouseMove({grab, MouseButton::None, 0});
    ASSERT_TRUE(w.Hover().anchor);
    w.MouseDown({grab, MouseButton::Left, ssLeft});
    w.MouseMove({{grab.x + 30, grab.y}, MouseButton::None, ssLeft});
    ASSERT_EQ(w.DragState(), DragKind::Move);
    form->updateMenus();
    form->action("Delete1")->trigger();
    EXPECT_EQ(w.DragState(), DragKind::Idle);
    EXPECT_TRUE(w.Document.Lines.empty());
    w.MouseMove({{grab.x + 60, grab.y}, MouseButton::None, ssLeft});
    w.MouseUp({{grab.x + 60, grab.y}, MouseButton::Left, 0});
    EXPECT_TRUE(w.Document.Lines.empty());
    ASSERT_TRUE(w.Undo()); // the deletion
    ASSERT_EQ(w.Document.Lines.size(), 2u);
    EXPECT_NE(w.Document.Lines, before);
    ASSERT_TRUE(w.Undo()); // the move up to the shortcut
    EXPECT_EQ(w.Document.Lines, before);
}

// The angle panel follows a rotation by the selection helper, clockwise positive, and clears
// when the drag ends.
TEST_F(SelectedPathsTest, AnglePanelShowsTheTurnOfARotationDrag) {
    TCvWindow& w = withBothPathsSelected();
    // Find a pixel of the rotation zone beside the frame's top-left corner.
    const PixelRect frame = w.UnitRectToPixelRect(w.Document.SelectionBounds);
    std::optional<PixelPoint> handle;
    for (int dy = -20; dy <= 20 && !handle; ++dy)
        for (int dx = -20; dx <= 20 && !handle; ++dx) {
            const PixelPoint p{frame.left + dx, frame.top + dy};
            w.MouseMove({p, MouseButton::None, 0});
            if (w.Hover().zone == HoverZone::Rotate) handle = p;
        }
    ASSERT_TRUE(handle);
    const PixelPoint pivot = w.UnitToPixel(w.Document.Pivot);
    w.MouseDown({*handle, MouseButton::Left, ssLeft});
    // Mirror the press about the pivot's horizontal: the same turn the text reports.
    const PixelPoint to{2 * pivot.x - handle->x, handle->y};
    w.MouseMove({to, MouseButton::None, ssLeft});
    ASSERT_EQ(w.DragState(), DragKind::Rotate);
    const PressContext& press = w.Press();
    const std::string expected =
        rotationAngleText(w.PressBase().pivot, press.pressPoint, press.point, false);
    ASSERT_FALSE(expected.empty());
    EXPECT_NE(expected[0], '-'); // upper left to upper right turns clockwise
    EXPECT_EQ(form->statusPanels()->panelText(3).toStdString(), expected);
    w.MouseUp({to, MouseButton::Left, 0});
    w.MouseMove({to, MouseButton::None, 0});
    EXPECT_TRUE(form->statusPanels()->panelText(3).isEmpty());
}

// Each example, opened as the program opens it in its default window, shows the whole drawing;
// so does a document plumex-cli spline2plx writes, since both store the same fitted view.
TEST_F(FormTest, ExamplesOpenShowingTheWholeDrawing) {
    for (const char* name : {"letter_p.plx", "goblet.plx"}) {
        SCOPED_TRACE(name);
        FormSetup setup;
        setup.settingsPath = dir.file("plumex.ini");
        setup.languageFolder = dir.file("");
        setup.arguments = {std::string(PLUMEX_TEST_DATA "/../../examples/") + name};
        form = std::make_unique<TForm1>(setup);
        form->show();
        QCoreApplication::processEvents();
        const TCvWindow& w = canvas();
        ASSERT_FALSE(w.Document.Lines.empty());
        const int ruler = w.RulerSize();
        EXPECT_GE(w.ClientWidth() - ruler, DefaultViewWidth);
        EXPECT_GE(w.ClientHeight() - ruler, DefaultViewHeight);
        const PixelRect shown = w.UnitRectToPixelRect(*drawingBounds(w.Document.Lines));
        EXPECT_GE(shown.left, ruler);
        EXPECT_GE(shown.top, ruler);
        EXPECT_LE(shown.right, w.ClientWidth());
        EXPECT_LE(shown.bottom, w.ClientHeight());
        // Not a speck either: the drawing fills most of one direction.
        EXPECT_GT(std::max(double(shown.right - shown.left) / (w.ClientWidth() - ruler),
                           double(shown.bottom - shown.top) / (w.ClientHeight() - ruler)),
                  0.6);
        form.reset();
    }
}
