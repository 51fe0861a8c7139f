// The draft picture: placement on load, failures that change nothing, the document's
// reference on open, save and delete.
#include "canvas/Pict.h"
#include "canvas/Window.h"
#include "model/DocumentFile.h"
#include "model/FileBytes.h"

#include "FakeHost.h"
#include "testing.h"

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace plumex;
namespace fs = std::filesystem;

namespace {

void appendLe(std::vector<uint8_t>& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

// A 24-bit BMP of one colour.
void writeBmp(const fs::path& path, int w, int h, uint8_t grey) {
    const size_t stride = (size_t(w) * 3 + 3) / 4 * 4;
    std::vector<uint8_t> out = {'B', 'M'};
    appendLe(out, uint32_t(54 + stride * h), 4);
    appendLe(out, 0, 4);
    appendLe(out, 54, 4);
    for (uint32_t v : {40u, uint32_t(w), uint32_t(h)}) appendLe(out, v, 4);
    appendLe(out, 1, 2);
    appendLe(out, 24, 2);
    for (int i = 0; i < 6; ++i) appendLe(out, 0, 4);
    out.resize(out.size() + stride * h, grey);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(out.data()), std::streamsize(out.size()));
}

struct PictFixture : ::testing::Test {
    fs::path dir = fs::temp_directory_path() / ("plumex_pict_" + std::to_string(::getpid()));
    TCvOptions options;
    TCvWindow w{&options};
    plumex::testing::FakeHost host;

    void SetUp() override {
        fs::create_directories(dir);
        writeBmp(dir / "wide.bmp", 640, 480, 0);
        writeBmp(dir / "tall.bmp", 480, 640, 30);
        w.SetHost(&host);
        w.Resize(813, 613);
        w.HandleCreated();
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string path(const char* name) const { return (dir / name).string(); }

    void saveDocument(const char* name, const DraftReference& draft) {
        DocumentSettings settings;
        settings.draft = draft;
        writeFileAtomically(path(name),
                            writeDocument({plumex::testing::polyline({{0, 0}, {1, 1}})}, settings));
    }
    DraftReference savedDraft(const char* name) {
        EXPECT_TRUE(w.SaveToFile(path(name)));
        return readDocument(readFileBytes(path(name))).settings.draft;
    }
};

TEST_F(PictFixture, LoadCentresThePictureAtTheGivenWidth) {
    TPict pict;
    EXPECT_EQ(pict.Bounds(), TCvRect());
    ASSERT_TRUE(pict.Load(path("wide.bmp"), 1.0));
    EXPECT_EQ(pict.Bounds(), TCvRect(-0.5, 0.375, 0.5, -0.375));
    EXPECT_EQ(pict.FileName(), path("wide.bmp"));
    ASSERT_TRUE(pict.Load(path("tall.bmp"), 0.75));
    EXPECT_EQ(pict.Bounds(), TCvRect(-0.375, 0.5, 0.375, -0.5));
    // Faded copy: black 170, channel 30 becomes 180.
    EXPECT_EQ(pict.Faded().pixels[0], rgbColor(180, 180, 180));
    EXPECT_EQ(pict.Picture().image.pixels[0], rgbColor(30, 30, 30));
    ASSERT_TRUE(pict.Load(path("wide.bmp"), 2.0));
    EXPECT_EQ(pict.Faded().pixels[0], rgbColor(170, 170, 170));
    EXPECT_DOUBLE_EQ(pict.Bounds().bottom, -0.75);
}

TEST_F(PictFixture, FailedLoadsAndBadPlacesChangeNothing) {
    TPict pict;
    ASSERT_TRUE(pict.Load(path("wide.bmp"), 1.0));
    std::string error;
    std::ofstream(dir / "broken.png") << "not a picture";
    EXPECT_FALSE(pict.Load(path("broken.png"), 1.0, &error));
    EXPECT_EQ(error, "Not PNG Image");
    EXPECT_FALSE(pict.Load(path("missing.bmp"), 1.0));
    EXPECT_FALSE(pict.Load(path("tall.bmp"), 0.0, &error));
    EXPECT_FALSE(pict.Load(path("tall.bmp"), std::nan(""), &error));
    EXPECT_EQ(pict.FileName(), path("wide.bmp"));
    EXPECT_EQ(pict.Bounds(), TCvRect(-0.5, 0.375, 0.5, -0.375));
    pict.Place({1, 2}, -1);
    pict.Place({std::nan(""), 2}, 1);
    EXPECT_EQ(pict.Bounds(), TCvRect(-0.5, 0.375, 0.5, -0.375));
    pict.Place({1, 2}, 0.25);
    EXPECT_EQ(pict.Bounds(), TCvRect(1, 2, 161, -118));
    pict.Clear();
    EXPECT_FALSE(pict.Present());
    EXPECT_EQ(pict.FileName(), "");
}

TEST_F(PictFixture, DocumentDraftLoadsAtItsStoredPlaceAndSwitchesShowDraftOn) {
    options.ShowDraft = false;
    saveDocument("doc.plx", {path("tall.bmp"), {3, 4}, 0.5});
    ASSERT_TRUE(w.LoadFromFile(path("doc.plx")));
    ASSERT_TRUE(w.Draft().Present());
    EXPECT_EQ(w.Draft().Bounds(), TCvRect(3, 4, 243, -316));
    EXPECT_TRUE(options.ShowDraft);
    EXPECT_TRUE(host.messages.empty());
    // Fit All takes in the picture as well as the paths.
    w.FitAll();
    const TCvRect view = w.PixelRectToUnitRect({13, 13, 813, 613});
    EXPECT_LE(view.left, 3);
    EXPECT_GE(view.right, 243);
    EXPECT_LE(view.bottom, -316);

    // Opening a document with its draft is no change; deleting the draft is one, until saved.
    EXPECT_FALSE(w.Document.IsModified());
    w.ClearDraft();
    EXPECT_FALSE(w.Draft().Present());
    EXPECT_TRUE(w.Document.IsModified());
    EXPECT_TRUE(savedDraft("after-delete.plx").fileName.empty());
    EXPECT_FALSE(w.Document.IsModified());
    w.ClearDraft();
    EXPECT_FALSE(w.Document.IsModified());
}

TEST_F(PictFixture, MissingDraftIsReportedAndItsReferenceKept) {
    const DraftReference moved{path("moved-away.png"), {3, 4}, 0.5};
    saveDocument("doc.plx", moved);
    ASSERT_TRUE(w.LoadFromFile(path("doc.plx")));
    EXPECT_FALSE(w.Draft().Present());
    // The message says which file and why, below the language's text.
    EXPECT_EQ(host.messages,
              std::vector<std::string>{"Failed To Load Draft Image.\n" + moved.fileName +
                                       "\nCannot open " + moved.fileName});
    EXPECT_EQ(w.Document.Lines.size(), 1u);
    EXPECT_EQ(savedDraft("resaved.plx"), moved);
}

TEST_F(PictFixture, LoadDraftBecomesTheDocumentsReference) {
    ASSERT_TRUE(w.LoadDraft(path("wide.bmp"), 2.0));
    // The new reference exists only in memory: closing now must ask to save.
    EXPECT_TRUE(w.Document.IsModified());
    EXPECT_EQ(savedDraft("with-draft.plx"),
              (DraftReference{path("wide.bmp"), {-1, 0.75}, 2.0 / 640}));
    EXPECT_FALSE(w.Document.IsModified());
    // A failed load keeps the previous picture and reference.
    EXPECT_FALSE(w.LoadDraft(path("missing.bmp"), 1.0));
    EXPECT_EQ(w.Draft().FileName(), path("wide.bmp"));
    EXPECT_FALSE(w.Document.IsModified());
    ASSERT_TRUE(w.LoadDraft(path("tall.bmp"), 1.0));
    w.NewDocument();
    EXPECT_FALSE(w.Draft().Present());
    EXPECT_FALSE(w.Document.IsModified());
}

} // namespace
