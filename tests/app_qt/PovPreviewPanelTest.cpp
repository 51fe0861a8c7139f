// The preview panel with the real povray: a render starts, a new edit cancels it, the next
// one finishes, and the event loop keeps serving input all the while.

#include "app/qt/PovPreviewPanel.h"
#include "app/qt/PovFindingsList.h"
#include "app/qt/TPOVDlg.h"
#include "export/PovExport.h"
#include "model/DocumentFile.h"
#include "model/FileBytes.h"
#include "testing.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <iostream>

#include <filesystem>

using namespace plumex;

namespace {

std::vector<TCvLine> example(const std::string& name) {
    const auto file = std::filesystem::path(PLUMEX_TEST_DATA) / ".." / ".." / "examples" / name;
    return readDocument(readFileBytes(file.string())).lines;
}

// Counts the mouse moves that reach it, as a canvas under a drag would.
class DragTarget : public QWidget {
public:
    int moves = 0;

protected:
    void mouseMoveEvent(QMouseEvent*) override { ++moves; }
};

TEST(PovPreviewPanel, StartsCancelsAndFinishesWithoutBlockingInput) {
    QMainWindow window;
    auto* target = new DragTarget;
    target->setMouseTracking(true);
    window.setCentralWidget(target);
    auto* panel = new PovPreviewPanel(&window);
    window.addDockWidget(Qt::RightDockWidgetArea, panel);
    window.resize(900, 600);
    std::vector<TCvLine> paths = example("letter_p.plx");
    panel->setSource([&paths] { return paths; }, [] { return PovDlgState{}; });
    panel->setPause(20);
    QSignalSpy started(panel, &PovPreviewPanel::renderStarted);
    QSignalSpy finished(panel, &PovPreviewPanel::renderFinished);
    QSignalSpy cancelled(panel, &PovPreviewPanel::renderCancelled);
    window.show(); // showing the panel asks for a render

    ASSERT_TRUE(started.wait(5000));
    EXPECT_TRUE(started.front().at(0).toBool()); // the quick pass comes first
    ASSERT_TRUE(panel->rendering());
    paths.front().Scale(1.2, 1); // an edit while POV-Ray runs
    panel->documentChanged();
    EXPECT_EQ(cancelled.count(), 1);
    EXPECT_FALSE(panel->rendering());

    // Drag across the canvas while the next quick and full passes run: every 5 ms a mouse move
    // is posted; the loop must deliver them all and never stall.
    int posted = 0;
    qint64 worstGap = 0, last = 0;
    QElapsedTimer clock;
    clock.start();
    QTimer drag;
    drag.setInterval(5);
    drag.setTimerType(Qt::PreciseTimer);
    QObject::connect(&drag, &QTimer::timeout, [&] {
        worstGap = std::max(worstGap, clock.elapsed() - last);
        last = clock.elapsed();
        const QPointF at(10 + posted % 200, 10 + posted % 100);
        QCoreApplication::postEvent(target, new QMouseEvent(QEvent::MouseMove, at, at, Qt::NoButton,
                                                            Qt::LeftButton, Qt::NoModifier));
        ++posted;
    });
    drag.start();
    int renderingTicks = 0;
    while (clock.elapsed() < 60000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        renderingTicks += panel->rendering();
        const bool fullDone = std::any_of(finished.begin(), finished.end(), [](const auto& args) {
            return args.at(0).toBool() && !args.at(1).toBool();
        });
        if (fullDone) break;
    }
    drag.stop();
    // The moves still queued when the drag stopped arrive on the next turns of the loop.
    QTRY_COMPARE_WITH_TIMEOUT(target->moves, posted, 1000);
    ASSERT_FALSE(finished.isEmpty()) << panel->message().toStdString();
    EXPECT_TRUE(finished.back().at(0).toBool()) << panel->message().toStdString();
    EXPECT_FALSE(finished.back().at(1).toBool());
    EXPECT_GT(renderingTicks, 0);
    EXPECT_GT(posted, 20); // the renders took a while
    // Generous for a loaded test machine; a loop blocked on the render stalls for seconds.
    EXPECT_LT(worstGap, 500) << "the event loop stalled while POV-Ray ran";
    std::cout << "[ responsiveness ] " << posted << " mouse moves posted and delivered in "
              << clock.elapsed() << " ms of rendering, longest pause " << worstGap << " ms\n";
    // The finished picture is the full pass, larger than the quick one.
    EXPECT_GE(panel->picture().width(), 100);
    EXPECT_EQ(panel->message(), "");
}

// Zooming, scrolling or choosing a tool reports a change too; the same scene at the same size
// keeps its render running and its picture shown.
TEST(PovPreviewPanel, ChangesThatDrawNothingElseKeepTheRender) {
    QMainWindow window;
    auto* panel = new PovPreviewPanel(&window);
    window.addDockWidget(Qt::RightDockWidgetArea, panel);
    std::vector<TCvLine> paths = example("goblet.plx");
    panel->setSource([&paths] { return paths; }, [] { return PovDlgState{}; });
    panel->setMode(PovMode::Lathe);
    panel->setPause(10);
    QSignalSpy started(panel, &PovPreviewPanel::renderStarted);
    QSignalSpy finished(panel, &PovPreviewPanel::renderFinished);
    QSignalSpy cancelled(panel, &PovPreviewPanel::renderCancelled);
    window.show();
    ASSERT_TRUE(started.wait(5000));
    for (int i = 0; i < 5; ++i) {
        panel->documentChanged();
        QTest::qWait(30);
    }
    const auto fullDone = [&] {
        return std::any_of(finished.begin(), finished.end(),
                           [](const auto& args) { return !args.at(1).toBool(); });
    };
    QTRY_VERIFY_WITH_TIMEOUT(fullDone(), 60000);
    EXPECT_EQ(cancelled.count(), 0);
    EXPECT_EQ(started.count(), 2); // the quick pass and the full one, once
    panel->documentChanged();
    QTest::qWait(200);
    EXPECT_EQ(started.count(), 2);
    EXPECT_FALSE(panel->picture().isNull());
    // A real change renders again.
    paths.front().Scale(1, 2);
    panel->documentChanged();
    ASSERT_TRUE(started.wait(5000));
}

TEST(PovPreviewPanel, FailuresShowPovRaysMessageAndTheFindings) {
    QMainWindow window;
    auto* panel = new PovPreviewPanel(&window);
    window.addDockWidget(Qt::RightDockWidgetArea, panel);
    std::vector<TCvLine> paths{plumex::testing::polyline({{0, 0}, {1e256, 0}, {0, 1}}, true)};
    panel->setSource([&paths] { return paths; }, [] { return PovDlgState{}; });
    panel->setPause(0);
    QSignalSpy finished(panel, &PovPreviewPanel::renderFinished);
    window.show();
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_FALSE(finished.front().at(0).toBool());
    const QString text = panel->message();
    EXPECT_TRUE(text.startsWith("POV-Ray failed: ")) << text.toStdString();
    EXPECT_TRUE(text.contains("String too long")) << text.toStdString();
    EXPECT_TRUE(text.contains("refuse: path 1, anchor 2: ")) << text.toStdString();
    EXPECT_TRUE(panel->picture().isNull());
}

// An open prism still gives a picture, without the prism: POV-Ray's warning and the findings
// say why.
TEST(PovPreviewPanel, DroppedObjectsAreExplainedUnderThePicture) {
    QMainWindow window;
    auto* panel = new PovPreviewPanel(&window);
    window.addDockWidget(Qt::RightDockWidgetArea, panel);
    std::vector<TCvLine> paths{plumex::testing::polyline({{0, 0}, {4, 0}, {2, 4}})};
    panel->setSource([&paths] { return paths; }, [] { return PovDlgState{}; });
    panel->setPause(0);
    QSignalSpy finished(panel, &PovPreviewPanel::renderFinished);
    window.show();
    const auto settled = [&] {
        return !panel->rendering() && !finished.isEmpty() && !finished.back().at(1).toBool();
    };
    QTRY_VERIFY_WITH_TIMEOUT(settled(), 30000); // the quick pass, then the full one
    EXPECT_TRUE(finished.back().at(0).toBool()) << panel->message().toStdString();
    const QString text = panel->message();
    EXPECT_TRUE(text.contains("Prism not closed. Ignoring it.")) << text.toStdString();
    EXPECT_TRUE(text.contains("refuse: path 1, anchor 3: the path is open")) << text.toStdString();
}

TEST(PovPreviewPanel, SaysWhenPovRayIsMissingOrNothingIsSelected) {
    QMainWindow window;
    auto* panel = new PovPreviewPanel(&window);
    window.addDockWidget(Qt::RightDockWidgetArea, panel);
    std::vector<TCvLine> paths;
    panel->setSource([&paths] { return paths; }, [] { return PovDlgState{}; });
    panel->setPause(0);
    window.show();
    QTRY_COMPARE_WITH_TIMEOUT(panel->message(),
                              QString("Select paths to see them as POV-Ray renders them."), 2000);
    paths = example("goblet.plx");
    panel->setProgram("/nonexistent/povray");
    panel->setMode(PovMode::Lathe);
    QTRY_VERIFY_WITH_TIMEOUT(panel->message().contains("apt-get install povray"), 2000);
    EXPECT_FALSE(panel->rendering());
}

// Whatever POV-Ray makes of it, the panel lists the findings the export dialog lists for the
// same selection and options: a zero-length segment renders without a word from POV-Ray.
TEST(PovPreviewPanel, ListsTheFindingsTheExportDialogLists) {
    using plumex::testing::polyline;
    const std::vector<std::vector<TCvLine>> cases{
        {polyline({{0, 0}, {4, 0}, {4, 0}, {2, 3}}, true)},               // zero-length segment
        {polyline({{0, 0}, {1, 1}, {3, 3}}, true)},                       // no area
        {polyline({{0, 0}, {4, 0}, {2, 4}}), polyline({{5, 0}, {6, 1}})}, // open
        {polyline({{0, 0}, {9, 0}, {9, 9}, {0, 9}}, true),
         polyline({{3, 3}, {5, 3}, {5, 5}, {3, 5}}, true)}, // a hole left unmerged
        example("letter_p.plx"),                            // nothing to say
    };
    QMainWindow window;
    auto* panel = new PovPreviewPanel(&window);
    window.addDockWidget(Qt::RightDockWidgetArea, panel);
    window.resize(700, 500);
    std::vector<TCvLine> paths;
    panel->setSource([&paths] { return paths; }, [] { return PovDlgState{}; });
    panel->setPause(0);
    QSignalSpy finished(panel, &PovPreviewPanel::renderFinished);
    window.show();
    for (const std::vector<TCvLine>& selection : cases) {
        TPOVDlg dialog;
        dialog.setSelection(selection);
        dialog.prepare(PovMode::Prism, latheEdges(selection));
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.Findings->checking(), 10000);
        finished.clear();
        paths = selection;
        panel->documentChanged();
        const auto settled = [&] {
            return !panel->rendering() && !panel->findingsList()->checking() &&
                   std::any_of(finished.begin(), finished.end(),
                               [](const auto& args) { return !args.at(1).toBool(); });
        };
        QTRY_VERIFY_WITH_TIMEOUT(settled(), 30000);
        EXPECT_EQ(panel->findingsList()->findings().size(), dialog.Findings->findings().size());
        QStringList listed;
        for (const PovFinding& f : panel->findingsList()->findings()) listed << findingLine(f);
        EXPECT_EQ(listed, dialog.Findings->lines()) << panel->message().toStdString();
    }
}

// Zooming and scrolling report a change too; with a revision that did not move the panel reads
// no paths and makes no scene, however large the selection.
TEST(PovPreviewPanel, AChangeThatLeavesTheRevisionAloneReadsNoPaths) {
    QMainWindow window;
    auto* panel = new PovPreviewPanel(&window);
    window.addDockWidget(Qt::RightDockWidgetArea, panel);
    std::vector<TCvLine> paths = example("letter_p.plx");
    std::uint64_t revision = 1;
    int reads = 0;
    PovPreviewSource source;
    source.selection = [&] {
        ++reads;
        return paths;
    };
    source.options = [] { return PovDlgState{}; };
    source.revision = [&] { return revision; };
    panel->setSource(source);
    panel->setPause(0);
    QSignalSpy finished(panel, &PovPreviewPanel::renderFinished);
    QSignalSpy started(panel, &PovPreviewPanel::renderStarted);
    window.show();
    QTRY_VERIFY_WITH_TIMEOUT(!finished.isEmpty() && !panel->rendering(), 30000);
    const int before = reads;
    const qsizetype renders = started.count();
    for (int i = 0; i < 20; ++i) {
        panel->documentChanged();
        QTest::qWait(5);
    }
    EXPECT_EQ(reads, before);
    EXPECT_EQ(started.count(), renders);
    // A write to the paths moves the revision: the panel looks again and renders the edit.
    paths.front().Scale(1, 2);
    ++revision;
    panel->documentChanged();
    ASSERT_TRUE(started.wait(5000));
    EXPECT_GT(reads, before);
}

} // namespace

// The forms beyond prism and lathe are picked in the panel's list with the keyboard; a sor
// that POV-Ray refuses says which anchor does not rise.
TEST(PovPreviewPanel, NewFormsArePickedFromTheListAndRendered) {
    QMainWindow window;
    auto* panel = new PovPreviewPanel(&window);
    window.addDockWidget(Qt::RightDockWidgetArea, panel);
    std::vector<TCvLine> paths = example("vase.plx");
    panel->setSource([&paths] { return paths; }, [] { return PovDlgState{}; });
    panel->setPause(0);
    QSignalSpy finished(panel, &PovPreviewPanel::renderFinished);
    window.show();
    auto* list = panel->findChild<QComboBox*>();
    ASSERT_NE(list, nullptr);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_End);
    EXPECT_EQ(panel->mode(), PovMode::Sor);
    const auto settled = [&] {
        return !panel->rendering() && !finished.isEmpty() && !finished.back().at(1).toBool() &&
               panel->mode() == PovMode::Sor;
    };
    QTRY_VERIFY_WITH_TIMEOUT(settled(), 30000);
    EXPECT_TRUE(finished.back().at(0).toBool()) << panel->message().toStdString();
    EXPECT_FALSE(panel->picture().isNull());

    finished.clear();
    paths = example("goblet.plx");
    panel->documentChanged();
    QTRY_VERIFY_WITH_TIMEOUT(!finished.isEmpty() && !panel->rendering(), 30000);
    EXPECT_FALSE(finished.back().at(0).toBool());
    const QString text = panel->message();
    EXPECT_TRUE(text.contains("Incorrect point in surface")) << text.toStdString();
    EXPECT_TRUE(text.contains("refuse: path 1, anchor 2: is not higher than anchor 1"))
        << text.toStdString();

    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(panel->mode(), PovMode::SphereSweep);
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(panel->mode(), PovMode::ConicPrism);
}
