// File > Import and File > Export > SVG through the main window.

#include "FormFixture.h"

#include "svg/SvgImport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <functional>
#include <string>

namespace plumex::testing {
namespace {

const char* const Ring = "<svg xmlns=\"http://www.w3.org/2000/svg\"><path d=\"M0 0H300V300H0Z "
                         "M100 100V200H200V100Z\"/><circle cx=\"0\" cy=\"0\" r=\"50\"/></svg>";

TEST_F(FormTest, ImportAddsTheShapesAsOneUndoStepAndExportWritesThemBack) {
    TForm1& f = start();
    chosen.push_back(dir.write("ring.svg", Ring));
    f.updateMenus();
    ASSERT_TRUE(f.action("Import1")->isVisible());
    ASSERT_TRUE(f.action("Import1")->isEnabled());
    f.action("Import1")->trigger();
    const TCvDocument& doc = f.canvas().Document;
    ASSERT_EQ(doc.Lines.size(), 2u); // the ring with its hole merged, and the circle
    EXPECT_EQ(doc.Lines[0].count(), 10);
    EXPECT_EQ(doc.CountSelected(), 2);
    EXPECT_TRUE(f.modified());

    chosen.push_back(dir.file("out.svg"));
    f.updateMenus();
    f.action("ExportSvg1")->trigger();
    const std::vector<TCvLine> back = ImportSvgFile(dir.file("out.svg"));
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0], doc.Lines[0]);

    f.canvas().Undo();
    EXPECT_TRUE(doc.Lines.empty());
    EXPECT_FALSE(f.modified());
}

TEST_F(FormTest, ImportOfABrokenFileSaysWhyAndChangesNothing) {
    TForm1& f = start();
    chosen.push_back(dir.write("bad.svg", "<svg xmlns=\"http://www.w3.org/2000/svg\"><path"));
    answers.push_back(MessageAnswer::Ok);
    f.action("Import1")->trigger();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_NE(asked[0].second.find("Not a well-formed SVG file"), std::string::npos)
        << asked[0].second;
    EXPECT_TRUE(f.canvas().Document.Lines.empty());
    EXPECT_FALSE(f.modified());
}

// Runs `act` on the file dialog once it is up, with real events; gives up (and fails) after a
// few seconds so a missing dialog cannot hang the suite.
void onFileDialog(const std::function<void(QFileDialog&)>& act) {
    auto* poll = new QTimer;
    auto waited = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll, waited, act] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog && ++*waited < 100) return;
        poll->stop();
        poll->deleteLater();
        if (!dialog) {
            ADD_FAILURE() << "no file dialog came up";
            return;
        }
        act(*dialog);
    });
    poll->start(50);
}

QCheckBox* box(QFileDialog& dialog, const char* text) {
    for (QCheckBox* b : dialog.findChildren<QCheckBox*>())
        if (b->text() == text) return b;
    ADD_FAILURE() << "no check box " << text;
    return nullptr;
}

// The choice in the dialog itself: the box is ticked by a click, the file typed; stroke-only
// outlines stay out, and the next Import opens with the box still ticked.
TEST_F(FormTest, ImportDialogOffersFilledShapesOnlyAndKeepsTheChoice) {
    TForm1& f = start();
    const std::string file =
        // No part of the name typed so far plus ".svg" names the file, so the dialog's own
        // completion leaves the typing alone.
        dir.write("mixed.shapes.svg",
                  "<svg xmlns=\"http://www.w3.org/2000/svg\"><circle r=\"50\"/>"
                  "<path fill=\"none\" stroke=\"#000\" d=\"M0 0 L90 0\"/></svg>");
    // By default both come in; the folder is remembered for the dialog below.
    chosen.push_back(file);
    f.action("Import1")->trigger();
    const TCvDocument& doc = f.canvas().Document;
    ASSERT_EQ(doc.Lines.size(), 2u);

    const ScopedFileDialogResponder real{FileDialogResponder{}};
    onFileDialog([&](QFileDialog& dialog) {
        QCheckBox* filled = box(dialog, "Filled shapes only");
        if (filled) {
            EXPECT_FALSE(filled->isChecked());
            // On the box itself: the row is as wide as the dialog, its caption is not.
            QTest::mouseClick(filled, Qt::LeftButton, {}, QPoint(6, filled->height() / 2));
        }
        auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        // The completer's popup would take the typed keys.
        name->setCompleter(nullptr);
        QTest::keyClicks(name, "mixed.shapes.svg");
        QTest::keyClick(name, Qt::Key_Return);
        if (dialog.isVisible()) {
            ADD_FAILURE() << "still open: " << name->text().toStdString();
            dialog.reject();
        }
    });
    f.action("Import1")->trigger();
    ASSERT_EQ(doc.Lines.size(), 3u);
    EXPECT_TRUE(doc.Lines[2].closed);

    bool ticked = false;
    onFileDialog([&](QFileDialog& dialog) {
        if (QCheckBox* filled = box(dialog, "Filled shapes only")) ticked = filled->isChecked();
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    f.action("Import1")->trigger();
    EXPECT_TRUE(ticked);
    EXPECT_EQ(doc.Lines.size(), 3u);
}

// A long import shows the busy cursor, and Escape pressed meanwhile stops it: nothing is added
// and no error is shown.
TEST_F(FormTest, EscapeCancelsASlowImport) {
    TForm1& f = start();
    std::string body;
    for (int i = 0; i < 3000; ++i) {
        const double cx = 10.0 * (i % 60), cy = 10.0 * (i / 60);
        body += "<path d=\"M" + std::to_string(cx + 4) + " " + std::to_string(cy);
        for (int k = 1; k <= 100; ++k) {
            const double a = 2 * M_PI * k / 100, r = 4 + 0.3 * std::sin(7.0 * k);
            body += " L" + std::to_string(cx + r * std::cos(a)) + " " +
                    std::to_string(cy + r * std::sin(a));
        }
        body += "Z\"/>";
    }
    chosen.push_back(
        dir.write("slow.svg", "<svg xmlns=\"http://www.w3.org/2000/svg\">" + body + "</svg>"));
    bool busy = false;
    QTimer::singleShot(100, [&] {
        busy = QApplication::overrideCursor() &&
               QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        QTest::keyClick(&f, Qt::Key_Escape);
    });
    f.action("Import1")->trigger();
    EXPECT_TRUE(busy);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(f.canvas().Document.Lines.empty());
    EXPECT_TRUE(asked.empty());
    EXPECT_FALSE(f.modified());
}

} // namespace
} // namespace plumex::testing
