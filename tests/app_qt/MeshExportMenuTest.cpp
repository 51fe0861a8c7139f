// File > Export > Mesh with real clicks and keys on the dialog: a lathe of the unit triangle
// turned in 16 pieces, the fields kept for the next export, a refused field turning OK off,
// and Cancel in the progress dialog keeping the previous file.

#include "FormFixture.h"

#include "app/Languages.h"
#include "app/qt/TMeshDlg.h"
#include "bench/LoopDrawing.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <fstream>
#include <sstream>

using namespace plumex;
using plumex::testing::FormTest;

namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

int countLines(const std::string& text, const std::string& head) {
    int n = 0;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) n += line.rfind(head, 0) == 0;
    return n;
}

void typeInto(QLineEdit* edit, const char* text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

// Runs `act` on the mesh dialog once it is the modal one.
void onMeshDialog(std::function<void(TMeshDlg&)> act) {
    QTimer::singleShot(0, [act] {
        auto* dlg = qobject_cast<TMeshDlg*>(QApplication::activeModalWidget());
        if (!dlg) {
            ADD_FAILURE() << "the mesh dialog did not open";
            return;
        }
        act(*dlg);
    });
}

} // namespace

TEST_F(FormTest, MeshExportWritesTheLatheTypedInTheDialogAndKeepsItsFields) {
    start({document("one.plx")});
    const std::string obj = dir.file("one.obj");
    chosen = {obj};
    bool refused = false;
    onMeshDialog([&](TMeshDlg& dlg) {
        EXPECT_EQ(dlg.windowTitle(), "Export Mesh");
        EXPECT_NE(dlg.LAxes->text().indexOf("y up"), -1);
        QTest::mouseClick(dlg.RBLathe, Qt::LeftButton);
        EXPECT_FALSE(dlg.EHeight->isEnabled());
        typeInto(dlg.ESegments, "2"); // too few
        refused = !dlg.OkBtn->isEnabled() && dlg.LRefusal->isVisible();
        typeInto(dlg.ESegments, "16");
        QTest::mouseClick(dlg.OkBtn, Qt::LeftButton);
    });
    form->action("ExportMesh1")->trigger();
    EXPECT_TRUE(refused) << "3 to 4096 segments";
    EXPECT_EQ(dialogTitles.back(), "Export Mesh");
    // The triangle (0,0) (1,0) (1,1) turned about x = 0: a cylinder with a cone cut from its
    // top down to the axis. One vertex on the axis and two rings of 16; 16 triangles each for
    // the bottom disc and the cone, 32 for the wall.
    const std::string text = readFile(obj);
    EXPECT_EQ(countLines(text, "f "), 64) << text.substr(0, 400);
    EXPECT_EQ(countLines(text, "v "), 1 + 2 * 16);
    EXPECT_FALSE(form->modified());

    // The same fields the next time; Escape leaves the file alone.
    chosen = {obj};
    onMeshDialog([](TMeshDlg& dlg) {
        EXPECT_TRUE(dlg.RBLathe->isChecked());
        EXPECT_EQ(dlg.ESegments->text(), "16");
        QTest::keyClick(&dlg, Qt::Key_Escape);
    });
    EXPECT_FALSE(form->ExportFileClick(14));
    EXPECT_EQ(readFile(obj), text);
}

TEST_F(FormTest, MeshExportCancelledInItsProgressKeepsThePreviousFile) {
    // 400 curved loops at a fine tolerance: long enough for the progress dialog to show.
    TCvDocument doc;
    for (TCvLine& l : bench::drawing(40000)) doc.Lines.push_back(std::move(l));
    ASSERT_TRUE(doc.SaveToFile(dir.file("many.plx")));
    start({dir.file("many.plx")});
    const std::string stl = dir.write("many.stl", "previous");
    chosen = {stl};
    bool clicked = false;
    onMeshDialog([&](TMeshDlg& dlg) {
        QTest::mouseClick(dlg.RBPrism, Qt::LeftButton);
        typeInto(dlg.ETolerance, "0.0001");
        QTest::mouseClick(dlg.OkBtn, Qt::LeftButton);
        // Wait for the progress dialog, then press its Cancel button.
        auto* poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, [&clicked, poll] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* progress = qobject_cast<QProgressDialog*>(w);
                if (!progress || !progress->isVisible()) continue;
                if (auto* cancel = progress->findChild<QPushButton*>()) {
                    QTest::mouseClick(cancel, Qt::LeftButton);
                    clicked = true;
                    poll->deleteLater();
                    poll->stop();
                }
            }
        });
        poll->start(10);
    });
    EXPECT_FALSE(form->ExportFileClick(14));
    EXPECT_TRUE(clicked) << "no progress dialog to cancel";
    EXPECT_EQ(readFile(stl), "previous");
}
