// File > Import and File > Export > SVG through the main window.

#include "FormFixture.h"

#include "svg/SvgImport.h"

#include <QAction>

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

} // namespace
} // namespace plumex::testing
