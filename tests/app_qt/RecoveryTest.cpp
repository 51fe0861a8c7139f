// Recovery copies in the main window: the offer at start answered with real clicks, the
// recovered document (modified, untitled, named after its original), and a recovery folder
// that cannot be written telling the user once while the window goes on.

#include "app/qt/RecoveryAutoSave.h"
#include "app/qt/RecoveryDialog.h"
#include "model/DocumentFile.h"
#include "model/FileBytes.h"
#include "shell/RecoveryFiles.h"

#include "FormFixture.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace plumex::testing {
namespace {

namespace fs = std::filesystem;

std::int64_t endedPid() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

class RecoveryTest : public FormTest {
protected:
    std::string folder() { return dir.file("recovery"); }

    // A copy an ended editor left of `original`, with `count` paths.
    RecoveryPaths leaveCopy(const std::string& original, int count, std::int64_t time) {
        fs::create_directories(folder());
        const std::int64_t pid = endedPid();
        const RecoveryPaths paths = recoveryPaths(folder(), pid);
        fs::copy_file(document("source.plx", count), paths.copy,
                      fs::copy_options::overwrite_existing);
        dir.write("recovery/" + fs::path(paths.info).filename().string(),
                  formatRecoveryInfo({original, time, pid}));
        return paths;
    }

    // Starts the window with the recovery folder; `button` of the offer (if any) is clicked.
    void startAnswering(const char* button, int rows = -1) {
        if (button)
            QTimer::singleShot(0, [this, button, rows] {
                auto* dialog = qobject_cast<RecoveryDialog*>(QApplication::activeModalWidget());
                ASSERT_NE(dialog, nullptr);
                offered = dialog->list()->topLevelItemCount();
                if (rows >= 0) dialog->list()->selectAll();
                QTest::mouseClick(dialog->findChild<QPushButton*>(button), Qt::LeftButton);
            });
        FormSetup setup;
        setup.settingsPath = dir.file("plumex.ini");
        setup.languageFolder = dir.file("");
        setup.recoveryFolder = folder();
        form = std::make_unique<TForm1>(setup);
        form->FormShow();
    }

    int offered = -1;
};

TEST_F(RecoveryTest, RecoverTakesTheNewestCopyInAsModifiedAndUntitled) {
    const RecoveryPaths older = leaveCopy("/somewhere/older.plx", 1, 100);
    const RecoveryPaths newer = leaveCopy("/somewhere/drawing.plx", 3, 200);
    startAnswering("Recover");
    EXPECT_EQ(offered, 2); // every ended editor's copy in one list
    EXPECT_EQ(canvas().Document.Lines.size(), 3u);
    EXPECT_TRUE(form->modified());
    EXPECT_EQ(form->FileName(), "");
    EXPECT_TRUE(form->windowTitle().startsWith("drawing.plx")) << form->windowTitle().toStdString();
    // The copy becomes this editor's own at once; the earlier editor's goes, the other stays.
    const RecoveryPaths own = *form->autoSave()->paths();
    QTRY_VERIFY(fs::exists(own.info) && !fs::exists(newer.copy));
    EXPECT_TRUE(fs::exists(older.copy));
    EXPECT_EQ(readDocumentFile(own.copy).lines.size(), 3u);
    EXPECT_EQ(parseRecoveryInfo(readFileBytes(own.info))->original, "/somewhere/drawing.plx");
    // Save asks where, and a saved document has no copy.
    chosen.push_back(dir.file("saved.plx"));
    form->Save1Click();
    EXPECT_EQ(dialogTitles.size(), 1u);
    EXPECT_FALSE(form->modified());
    EXPECT_FALSE(fs::exists(own.copy));
    EXPECT_FALSE(fs::exists(own.info));
}

TEST_F(RecoveryTest, LaterKeepsAndDiscardRemovesTheSelectedCopies) {
    const RecoveryPaths a = leaveCopy("/a.plx", 1, 100);
    const RecoveryPaths b = leaveCopy("", 1, 200);
    startAnswering("Later");
    EXPECT_EQ(offered, 2);
    EXPECT_FALSE(form->modified());
    EXPECT_TRUE(fs::exists(a.copy) && fs::exists(b.copy));
    form.reset();
    startAnswering("Discard", 2);
    EXPECT_FALSE(fs::exists(a.copy) || fs::exists(a.info) || fs::exists(b.copy));
    EXPECT_FALSE(form->modified());
}

TEST_F(RecoveryTest, AnEditGetsACopyAndACleanCloseRemovesIt) {
    startAnswering(nullptr); // nothing to offer: no dialog comes up
    const RecoveryPaths own = *form->autoSave()->paths();
    edit();
    form->canvas().Changed();
    form->autoSave()->focusLost();
    QTRY_VERIFY(fs::exists(own.info));
    EXPECT_EQ(readDocumentFile(own.copy).lines, canvas().Document.Lines.vector());
    answers.push_back(MessageAnswer::No);
    form->close();
    EXPECT_FALSE(fs::exists(own.copy) || fs::exists(own.info));
}

TEST(RecoveryAutoSaveTest, FullFolderTellsOnceAndKeepsThePreviousCopy) {
    TempDir dir;
    bool full = false;
    TCvDocument doc;
    RecoveryAutoSave::Setup setup;
    setup.folder = dir.file("rec");
    setup.seconds = 30;
    setup.signalHandlers = false;
    setup.writer = [&full](const std::string& path, std::span<const std::uint8_t> bytes) {
        if (full) throw std::system_error(ENOSPC, std::generic_category(), path);
        writeFileAtomically(path, bytes);
    };
    RecoveryAutoSave autoSave(doc, setup, [] { return std::string("/o.plx"); });
    QSignalSpy failures(&autoSave, &RecoveryAutoSave::writeFailed);
    const auto change = [&](double x) {
        doc.Record();
        doc.Lines.push_back(polyline({{x, 0}, {x, 1}}));
        autoSave.documentChanged();
        autoSave.focusLost();
    };
    change(1);
    QTRY_VERIFY(fs::exists(autoSave.paths()->info));
    const auto good = readFileBytes(autoSave.paths()->copy);
    full = true;
    for (int i = 2; i < 6; ++i) {
        change(i);
        // Each try runs to its end before the next edit.
        QTest::qWait(50);
        autoSave.waitForWorker();
        QApplication::processEvents();
    }
    EXPECT_EQ(failures.size(), 1);
    EXPECT_EQ(readFileBytes(autoSave.paths()->copy), good);
    full = false;
    change(9);
    QTRY_VERIFY(readFileBytes(autoSave.paths()->copy) != good);
    EXPECT_EQ(readDocumentFile(autoSave.paths()->copy).lines, doc.Lines.vector());
}

} // namespace
} // namespace plumex::testing
