// The document: selection states, Make Hole, and loading, saving and New at model level.

#include "model/Document.h"
#include "model/DocumentFile.h"
#include "model/FileBytes.h"
#include "model/ReadError.h"
#include "testing.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sys/resource.h>

using plumex::testing::polyline;
namespace fs = std::filesystem;

namespace {

TCvLine square(double x0, double y0, double size) {
    return polyline({{x0, y0}, {x0 + size, y0}, {x0 + size, y0 + size}, {x0, y0 + size}}, true);
}

TCvDocument threePaths() {
    TCvDocument doc;
    doc.Lines = {square(0, 0, 1), square(5, 5, 1), polyline({{10, 0}, {12, 3}})};
    return doc;
}

std::vector<int> selectedFlags(const TCvDocument& doc) {
    std::vector<int> out;
    for (const TCvLine& l : doc.Lines) out.push_back(l.selected);
    return out;
}

// A scratch folder removed with the test.
class DocumentFiles : public ::testing::Test {
protected:
    fs::path dir = fs::temp_directory_path() /
                   ("plumex-doc-" + std::to_string(::getpid()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }
    std::string file(const char* name) const { return (dir / name).string(); }
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), {}));
    }
};

std::vector<std::uint8_t> bytesOf(const std::string& name) {
    return plumex::readFileBytes(name);
}

} // namespace

TEST(Document, SelectAllSkipsLockedAndHiddenPaths) {
    TCvDocument doc = threePaths();
    doc.Lines[1].locked = 1;
    doc.Lines[2].visible = 0;
    doc.SelectAll();
    EXPECT_EQ(selectedFlags(doc), (std::vector<int>{1, 0, 0}));
    EXPECT_EQ(doc.CountSelected(), 1);
    EXPECT_EQ(doc.SelectionBounds, TCvRect(0, 1, 1, 0));
    EXPECT_EQ(doc.Pivot, (TCvCoord{0.5, 0.5}));
    doc.DeselectAll();
    EXPECT_EQ(doc.CountSelected(), 0);
    EXPECT_EQ(doc.SelectionBounds, TCvRect(0, 1, 1, 0)); // kept with nothing selected
}

TEST(Document, UnlockAllSelectsExactlyTheLockedPaths) {
    TCvDocument doc = threePaths();
    doc.Lines[0].SelectAll(true);
    doc.Lines[1].SelectAll(true);
    doc.Lock();
    EXPECT_EQ(doc.CountSelected(), 0);
    EXPECT_TRUE(doc.Lines[0].locked && doc.Lines[1].locked && !doc.Lines[2].locked);
    doc.Lines[2].SelectAll(true);
    doc.UnlockAll();
    EXPECT_EQ(selectedFlags(doc), (std::vector<int>{1, 1, 0}));
    EXPECT_FALSE(doc.Lines[0].locked || doc.Lines[1].locked);
    EXPECT_EQ(doc.SelectionBounds, TCvRect(0, 6, 6, 0));
}

TEST(Document, HideKeepsAnchorSelectionAndShowAllSelectsTheHidden) {
    TCvDocument doc = threePaths();
    doc.Lines[1].SelectAll(true);
    doc.Hide();
    EXPECT_FALSE(doc.Lines[1].visible);
    EXPECT_FALSE(doc.Lines[1].selected);
    EXPECT_TRUE(doc.Lines[1].points[0].selected);
    doc.Lines[0].SelectAll(true);
    doc.ShowAll();
    EXPECT_EQ(selectedFlags(doc), (std::vector<int>{0, 1, 0}));
    EXPECT_TRUE(doc.Lines[1].visible);
}

TEST(Document, MakeHoleNeedsAChangeToRecord) {
    TCvDocument doc = threePaths();
    doc.SelectAll();
    EXPECT_FALSE(doc.MakeHole()); // disjoint paths
    EXPECT_FALSE(doc.IsModified());

    doc.Lines.push_back(square(0.25, 0.25, 0.5));
    doc.SelectAll();
    ASSERT_TRUE(doc.MakeHole());
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(doc.Lines.size(), 3u);
    EXPECT_EQ(doc.CountSelected(), 3);
    doc.DeselectAll();
    EXPECT_EQ(doc.Lines[0].count(), 4 + 1 + 4 + 1); // both rings reopened at the bridge
    EXPECT_EQ(doc.Lines[1], square(5, 5, 1));
    EXPECT_EQ(doc.Lines[2], polyline({{10, 0}, {12, 3}})); // open path copied unchanged
    int pen = 0;
    ASSERT_TRUE(doc.Undo(pen));
    EXPECT_EQ(doc.Lines.size(), 4u);
}

TEST_F(DocumentFiles, SaveAndLoadKeepSettingsAndClearHistory) {
    TCvDocument doc = threePaths();
    doc.Settings.scale = 42;
    doc.Settings.viewCentre = {3, -4};
    doc.Settings.horizontalGuides = {1.5};
    doc.Settings.draft = {"/tmp/picture.png", {1, 2}, 0.25};
    doc.Record();
    ASSERT_TRUE(doc.SaveToFile(file("a.plx")));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(entries(), 1u);

    TCvDocument other;
    other.Record();
    ASSERT_TRUE(other.LoadFromFile(file("a.plx")));
    EXPECT_EQ(other.Lines, doc.Lines);
    EXPECT_EQ(other.Settings, doc.Settings);
    EXPECT_FALSE(other.IsModified());
    int pen = 0;
    EXPECT_FALSE(other.Undo(pen));
}

TEST_F(DocumentFiles, FailedLoadLeavesTheDocumentUntouched) {
    TCvDocument saved = threePaths();
    ASSERT_TRUE(saved.SaveToFile(file("full.plx")));
    std::vector<std::uint8_t> bytes = bytesOf(file("full.plx"));
    bytes.resize(bytes.size() - 30);
    std::ofstream(file("short.plx"), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));

    TCvDocument doc;
    doc.Lines = {square(7, 7, 2)};
    doc.Settings.verticalGuides = {9};
    doc.Record();
    const TCvDocument before = doc;
    EXPECT_THROW(doc.LoadFromFile(file("short.plx")), plumex::ReadError);
    EXPECT_THROW(doc.LoadFromFile(file("missing.plx")), plumex::ReadError);
    EXPECT_EQ(doc.Lines, before.Lines);
    EXPECT_EQ(doc.Settings, before.Settings);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(DocumentFiles, NewDocumentKeepsTheView) {
    TCvDocument doc = threePaths();
    doc.Settings = {7, {1, 1}, {1}, {2}, {"d.bmp", {0, 0}, 1}};
    doc.Record();
    doc.NewDocument();
    EXPECT_TRUE(doc.Lines.empty());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.Settings, (plumex::DocumentSettings{7, {1, 1}, {}, {}, {}}));
    ASSERT_TRUE(doc.SaveToFile(file("new.plx")));
    EXPECT_EQ(bytesOf(file("new.plx")).size(), 60u);
}

TEST_F(DocumentFiles, FailedSaveKeepsTheOldFileAndHistory) {
    TCvDocument doc = threePaths();
    ASSERT_TRUE(doc.SaveToFile(file("a.plx")));
    const auto original = bytesOf(file("a.plx"));

    // The disk fills up half way through the new content.
    for (int i = 0; i < 100; ++i) doc.Lines.push_back(square(i, i, 1));
    doc.Record();
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string error;
    const bool saved = doc.SaveToFile(file("a.plx"), &error);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(saved);
    EXPECT_NE(error.find("a.plx"), std::string::npos) << error;
    EXPECT_EQ(bytesOf(file("a.plx")), original);
    EXPECT_EQ(entries(), 1u); // no temporary file left behind
    EXPECT_TRUE(doc.IsModified());
}

// What Open would refuse must not replace a good file: the save fails and reports why.
TEST_F(DocumentFiles, ContentThatCannotBeReadBackIsNotSaved) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    TCvDocument good = threePaths();
    ASSERT_TRUE(good.SaveToFile(file("a.plx")));
    const auto original = bytesOf(file("a.plx"));
    const auto spoil = std::vector<void (*)(TCvDocument&)>{
        [](TCvDocument& d) { d.Lines[1].points[0].inHandle.x = inf; },
        [](TCvDocument& d) { d.Lines[0].points[2].anchor.y = nan; },
        [](TCvDocument& d) { d.Settings.scale = 0; },
        [](TCvDocument& d) { d.Settings.viewCentre.x = -inf; },
        [](TCvDocument& d) {
            d.Settings.horizontalGuides = {1, nan};
        },
        [](TCvDocument& d) {
            d.Settings.draft = {"d.png", {0, inf}, 1};
        },
        [](TCvDocument& d) {
            d.Settings.draft = {"d.png", {0, 0}, -1};
        },
    };
    for (std::size_t i = 0; i < spoil.size(); ++i) {
        TCvDocument doc = threePaths();
        spoil[i](doc);
        doc.Record();
        std::string error;
        EXPECT_FALSE(doc.SaveToFile(file("a.plx"), &error)) << i;
        EXPECT_FALSE(error.empty()) << i;
        EXPECT_TRUE(doc.IsModified()) << i;
        EXPECT_EQ(bytesOf(file("a.plx")), original) << i;
        EXPECT_EQ(entries(), 1u) << i;
    }
    // Without a draft its placement is not stored, so it cannot spoil the file.
    TCvDocument doc = threePaths();
    doc.Settings.draft = {"", {inf, 0}, 0};
    EXPECT_TRUE(doc.SaveToFile(file("a.plx")));
}

TEST_F(DocumentFiles, SaveOntoAFolderOrIntoAMissingFolderFails) {
    TCvDocument doc = threePaths();
    fs::create_directory(dir / "taken");
    EXPECT_FALSE(doc.SaveToFile(file("taken")));
    EXPECT_TRUE(fs::is_directory(dir / "taken"));
    EXPECT_EQ(entries(), 1u);
    EXPECT_FALSE(doc.SaveToFile(file("no/such/folder.plx")));
}

TEST_F(DocumentFiles, SaveFollowsASymbolicLink) {
    TCvDocument doc = threePaths();
    ASSERT_TRUE(doc.SaveToFile(file("real.plx")));
    fs::create_symlink(dir / "real.plx", dir / "link.plx");
    doc.Lines.pop_back();
    ASSERT_TRUE(doc.SaveToFile(file("link.plx")));
    EXPECT_TRUE(fs::is_symlink(dir / "link.plx"));
    EXPECT_EQ(plumex::readDocument(bytesOf(file("real.plx"))).lines.size(), 2u);
}
